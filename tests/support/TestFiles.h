#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

QByteArray contentOf(const QString& path);
bool writeBytes(const QString& path, const QByteArray& bytes);
// As another desk or an editor would add to a file.
bool appendBytes(const QString& path, const QByteArray& bytes);
// What a program prints on its standard output, once it has ended: a PDF's text from pdftotext.
QString outputOf(const QString& program, const QStringList& arguments);

// Another desk appending to a file, played by the concurrent-store helper (`helper`, its path): it
// locks the file, waiting while this desk holds it, writes the first half of `text` and keeps the
// lock until it is released; then it writes the rest and ends.
class OtherDesk
{
public:
    explicit OtherDesk(const QString& helper) : m_helper(helper) {}
    ~OtherDesk() { release(); }
    OtherDesk(const OtherDesk&) = delete;
    OtherDesk& operator=(const OtherDesk&) = delete;

    // Returns once the other desk holds the lock; false if it never took it.
    bool hold(const QString& path, const QByteArray& text = {});
    // Returns once the other desk has written the rest and ended, so the lock is free; false if
    // it failed.
    bool release();

private:
    QString m_helper;
    QProcess m_process;
};

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

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

// Holds the calling thread to permission bits while it lives, even as root: its capabilities
// are set aside, still permitted, and taken back at the end.
class PermissionBitsEnforced
{
public:
    PermissionBitsEnforced()
    {
        syscall(SYS_capget, &m_header, m_held);
        __user_cap_data_struct setAside[2] = {m_held[0], m_held[1]};
        setAside[0].effective = setAside[1].effective = 0;
        syscall(SYS_capset, &m_header, setAside);
    }
    ~PermissionBitsEnforced() { syscall(SYS_capset, &m_header, m_held); }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_held[2] = {};
};
#else
class PermissionBitsEnforced
{
};
#endif
