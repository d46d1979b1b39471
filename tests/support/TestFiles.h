#pragma once

#include <QByteArray>
#include <QString>

QByteArray contentOf(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);

#ifdef Q_OS_UNIX
#include <sys/resource.h>

// Lets no file grow beyond `bytes` while it lives, so that writes fail as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous;
    void (*m_previousHandler)(int);
};
#endif
