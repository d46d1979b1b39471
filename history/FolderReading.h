#pragma once

#include "history/FolderChildRow.h"

#include <atomic>
#include <memory>

#include <QDate>
#include <QDir>
#include <QList>
#include <QMutex>
#include <QObject>
#include <QStringList>

class QThread;

namespace zelpo {

// One reading of every child of the program's folder: each patient file with its corrections, and
// each corrections file found without its patient file, read on worker threads by the code that
// looks one child up, under the same checks and shared lock, writing nothing. A file another desk
// holds is not waited for: it is read once more when the rest are done. The rows come back in
// batches, as plain values, on the thread the reading belongs to; destroying the reading stops it.
class FolderReading : public QObject
{
    Q_OBJECT

public:
    // At most this many rows, or this long, before a batch goes out.
    static constexpr int batchRows = 50;
    static constexpr int batchMilliseconds = 30;

    FolderReading(const QDir& folder, QDate today, int workers = 2, QObject* parent = nullptr);
    ~FolderReading() override;

    void start();

signals:
    // How many files the folder holds to read.
    void listed(int files);
    // Rows read, and how many of the files have been read once so far.
    void rowsRead(const QList<zelpo::FolderChildRow>& rows, int filesRead);
    // Every file was read, those another desk held read once more.
    void finished();

private:
    class Batch;

    void run();
    // Reads files from the list until none is left, taking them a batch at a time.
    void readShare();
    FolderChildRow readFile(ChildHistory& history, const QString& fileName) const;
    void send(QList<FolderChildRow> rows);

    QString m_folder;
    QDate m_today;
    int m_workers;
    QStringList m_files; // set before any worker starts reading
    std::atomic<qsizetype> m_next{0};
    std::atomic<int> m_filesRead{0};
    std::atomic<bool> m_stopped{false};
    QMutex m_inUseMutex;
    QStringList m_inUse;
    std::unique_ptr<QThread> m_thread;
};

// The files of the folder a list of its children reads, in name order: every file named *.CRV in
// any letter case, and every corrections file whose patient file is not there.
QStringList folderFilesToRead(const QDir& folder);

} // namespace zelpo
