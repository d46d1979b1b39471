#pragma once

#include "core/Failure.h"
#include "records/FileSystemCalls.h"
#include "records/RecordFileKind.h"

#include <QString>

class QFileDevice;

// What the user is told when a record file cannot be used, in Spanish, naming the file and why.
namespace zelpo {

enum class FileAccess { Create, Append, Read };

// The file's name without its folder, as the messages name it.
QString fileNameOf(const QString& path);

// Something other than an ordinary file stands under the name: `whatItIs`, "una carpeta".
Failure notAPlainFile(const QString& path, const RecordFileKind& kind, const QString& whatItIs);

// Works out, after the fact, why a file could not be opened, from what the system said when it
// said anything (`systemError`, an errno value) and from what stands under the name.
Failure openFailure(const QString& path, const RecordFileKind& kind, FileAccess access,
                    int systemError = 0);

// Writing `bytesWanted` into `file` failed; `path` is the file the user knows, even when the
// bytes went to a draft beside it. A full disk is told as such.
Failure writeFailure(const QFileDevice& file, const QString& path, qint64 bytesWanted);

Failure readFailure(const QString& path);
Failure tooLargeFor(const QString& path, const RecordFileKind& kind);
Failure recordTooLong(const QString& path, qsizetype lineNumber, const RecordFileKind& kind);
Failure notText(const QString& path, const RecordFileKind& kind);
// The file takes no more records: it would grow past what is read back.
Failure fileFull(const QString& path, const RecordFileKind& kind);

// Another desk held the file past the wait, or at once when it was not to be waited for.
Failure inUseAtAnotherDesk(const QString& path, FileLock lock);

// A new file can only be created where the program stands: what is in the way is the folder, and
// only those who look after the computer can open it.
Failure programFolderClosed(const QString& folder);

// The file at `path` is the one at `otherPath` under another name.
Failure anotherNameOf(const QString& path, const QString& otherPath, const RecordFileKind& kind);

// The file has more than one name on its file system (a hard link): what is written into it is
// written into whatever file the other name is, and what is read from it may be that file's.
// `notReadEither` when the file is not read either.
Failure hasOtherNames(const QString& path, bool notReadEither);

} // namespace zelpo
