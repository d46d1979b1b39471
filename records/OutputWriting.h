#pragma once

#include "core/Failure.h"

#include <functional>

#include <QFileDevice>
#include <QString>

class QIODevice;

// Writing the bytes of a file for the user into its draft, the temporary file that takes the
// target's place once whole, so that no failure passes unseen: not a short write that Qt reports
// as no error, not one the writer never looks at (Qt's PDF writer ignores what write() returns),
// not the last buffer flushed after the writer has finished.
namespace zelpo {

// Runs `write` on a device that hands every byte to `draft` and keeps the first write that fell
// short, then flushes the draft and compares the bytes it holds with those given. Empty when
// every byte is in the draft; otherwise why not, naming `target`, the file the user chose.
MaybeFailure writeWholeDraft(QFileDevice& draft, const std::function<bool(QIODevice&)>& write,
                             const QString& target);

// Why the file for the user could not be written at `target`, as the user can do something about
// it: a folder that is gone or closed, a file that may not be replaced, a full disk (`error` a
// resource error, or bytes that came up short without any error), an input/output error.
Failure outputNotWritten(const QString& target, QFileDevice::FileError error, bool cameShort);

} // namespace zelpo
