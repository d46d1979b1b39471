#pragma once

#include <algorithm>
#include <functional>
#include <memory>

#include <QSaveFile>

// An output's draft on a disk with room for `room` more bytes: the write that reaches past it is
// cut short and every later one fails, as on a file system that runs out of space, reporting no
// error of its own, as Qt does for a write cut short.
class FullDiskDraft : public QSaveFile
{
public:
    FullDiskDraft(const QString& target, qint64 room) : QSaveFile(target), m_room(room) {}

    // The drafts saveOutputFile is to write into.
    static std::function<std::unique_ptr<QSaveFile>(const QString&)> withRoomFor(qint64 room)
    {
        return
            [room](const QString& target) { return std::make_unique<FullDiskDraft>(target, room); };
    }

protected:
    qint64 writeData(const char* data, qint64 size) override
    {
        const qint64 fits = std::min(size, m_room);
        const qint64 written = fits > 0 ? QSaveFile::writeData(data, fits) : -1;
        m_room -= std::max<qint64>(written, 0);
        return written;
    }

private:
    qint64 m_room;
};
