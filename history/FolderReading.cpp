#include "history/FolderReading.h"

#include "history/ChildHistory.h"
#include "records/CorrectionsFile.h"

#include <chrono>
#include <vector>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QSet>
#include <QThread>

namespace zelpo {

// The rows one worker has read since it last sent any.
class FolderReading::Batch
{
public:
    explicit Batch(FolderReading& reading) : m_reading(reading) { m_sinceSent.start(); }
    ~Batch() { send(); }

    void add(FolderChildRow row)
    {
        m_rows.append(std::move(row));
        if (m_rows.size() >= batchRows || m_sinceSent.hasExpired(batchMilliseconds)) {
            send();
        }
    }

    void send()
    {
        if (!m_rows.isEmpty()) {
            m_reading.send(std::exchange(m_rows, {}));
        }
        m_sinceSent.restart();
    }

private:
    FolderReading& m_reading;
    QList<FolderChildRow> m_rows;
    QElapsedTimer m_sinceSent;
};

QStringList folderFilesToRead(const QDir& folder)
{
    // Whatever stands under such a name is read, or said why not: a folder, a link, a pipe. The
    // names are picked and sorted here: a folder of thousands is listed in half the time Qt's
    // name filters and sorting take.
    QStringList names;
    QSet<QString> patientFiles;
    QDirIterator entries(folder.path(),
                         QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    while (entries.hasNext()) {
        entries.next();
        const QString name = entries.fileName();
        if (name.endsWith(QLatin1String(".CRV"), Qt::CaseInsensitive)) {
            patientFiles.insert(name);
        } else if (!name.endsWith(QLatin1String(".COR"), Qt::CaseInsensitive)) {
            continue;
        }
        names.append(name);
    }
    names.sort();
    QStringList toRead;
    toRead.reserve(patientFiles.size());
    for (const QString& name : names) {
        if (!patientFiles.contains(name)) {
            // A corrections file is read with its patient file, when that is there.
            const std::optional<ChildKey> child = childOfFile(name);
            const Result<QString> patientFile =
                child ? child->fileName() : Result<QString>(QString());
            if (patientFile.ok() && patientFiles.contains(patientFile.value())) {
                continue;
            }
        }
        toRead.append(name);
    }
    return toRead;
}

FolderReading::FolderReading(const QDir& folder, QDate today, int workers, QObject* parent)
    : QObject(parent), m_folder(folder.path()), m_today(today), m_workers(std::max(1, workers))
{}

FolderReading::~FolderReading()
{
    m_stopped = true;
    if (m_thread) {
        m_thread->wait();
    }
}

void FolderReading::start()
{
    m_thread.reset(QThread::create([this] { run(); }));
    // The chart window's own thread goes first: its pointer readout never waits for the list.
    m_thread->start(QThread::LowPriority);
}

void FolderReading::run()
{
    m_files = folderFilesToRead(QDir(m_folder));
    QMetaObject::invokeMethod(
        this, [this, files = int(m_files.size())] { emit listed(files); }, Qt::QueuedConnection);
    std::vector<std::unique_ptr<QThread>> helpers;
    for (int worker = 1; worker < m_workers; ++worker) {
        helpers.emplace_back(QThread::create([this] { readShare(); }));
        helpers.back()->start(QThread::LowPriority);
    }
    readShare();
    for (const std::unique_ptr<QThread>& helper : helpers) {
        helper->wait();
    }
    // The files other desks held are read once more, now that they have had the time the rest
    // took.
    ChildHistory history(QDir(m_folder), {});
    history.setOtherDeskWait(std::chrono::milliseconds(0));
    m_inUse.sort();
    {
        Batch batch(*this);
        for (const QString& name : std::as_const(m_inUse)) {
            if (m_stopped) {
                return;
            }
            batch.add(readFile(history, name));
        }
    }
    if (!m_stopped) {
        QMetaObject::invokeMethod(
            this, [this] { emit finished(); }, Qt::QueuedConnection);
    }
}

void FolderReading::readShare()
{
    // Each worker keeps one history, opened child after child, living on its own thread with a
    // folder of its own: a folder shared between threads keeps what it learns unguarded.
    ChildHistory history(QDir(m_folder), {});
    history.setOtherDeskWait(std::chrono::milliseconds(0));
    Batch batch(*this);
    // Whole batches of neighbouring files, so that a list sorted by name takes each batch in as
    // one block.
    for (qsizetype first = m_next.fetch_add(batchRows); first < m_files.size() && !m_stopped;
         first = m_next.fetch_add(batchRows)) {
        const qsizetype end = std::min(first + batchRows, m_files.size());
        for (qsizetype file = first; file < end && !m_stopped; ++file) {
            FolderChildRow row = readFile(history, m_files[file]);
            if (row.inUseAtAnotherDesk) {
                const QMutexLocker locked(&m_inUseMutex);
                m_inUse.append(m_files[file]);
            }
            ++m_filesRead;
            batch.add(std::move(row));
        }
    }
}

FolderChildRow FolderReading::readFile(ChildHistory& history, const QString& fileName) const
{
    const std::optional<ChildKey> child = childOfFile(fileName);
    if (!child) {
        return unnamedFileRow(fileName);
    }
    const HistoryLookup lookup = history.load(*child);
    return folderChildRow(fileName, history, lookup, m_today);
}

void FolderReading::send(QList<FolderChildRow> rows)
{
    QMetaObject::invokeMethod(
        this,
        [this, rows = std::move(rows), read = m_filesRead.load()] { emit rowsRead(rows, read); },
        Qt::QueuedConnection);
}

} // namespace zelpo
