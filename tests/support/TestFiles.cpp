#include "support/TestFiles.h"

#include <csignal>

#include <QFile>
#include <QProcess>

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString outputOf(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool OtherDesk::hold(const QString& path, const QByteArray& text)
{
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(m_helper, {"hold", path, QString::fromUtf8(text)});
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(30000))
            return false;
    }
    return m_process.readLine() == "locked\n";
}

bool OtherDesk::release()
{
    if (m_process.state() == QProcess::NotRunning)
        return m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    m_process.closeWriteChannel();
    return m_process.waitForFinished(30000) && m_process.exitStatus() == QProcess::NormalExit &&
           m_process.exitCode() == 0;
}

namespace {

bool write(const QString& path, const QByteArray& bytes, QIODevice::OpenMode mode)
{
    QFile file(path);
    return file.open(mode) && file.write(bytes) == bytes.size();
}

} // namespace

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    return write(path, bytes, QIODevice::WriteOnly);
}

bool appendBytes(const QString& path, const QByteArray& bytes)
{
    return write(path, bytes, QIODevice::Append);
}

#ifdef Q_OS_UNIX
FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    // Ignored, the signal becomes a plain write error instead of ending the test.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &m_previous);
    rlimit limited = m_previous;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_previous);
    std::signal(SIGXFSZ, m_previousHandler);
}
#endif
