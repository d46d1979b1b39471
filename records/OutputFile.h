#pragma once

#include "core/Failure.h"

#include <functional>
#include <memory>

#include <QByteArray>
#include <QSaveFile>
#include <QString>

class QIODevice;

// The files the program writes for the user, wherever the user points it: they never take the
// place of a patient file.
namespace zelpo {

// Why a file the program writes for the user (a PDF, a spreadsheet, a printer's file) may not
// go to `path`: a patient file stands there, or may, since the file behind the name cannot be
// read or its links cannot be followed to the end. Empty when it may be written.
MaybeFailure refuseOutputOverPatientFile(const QString& path);

// The draft an output is written into beside its target, which takes the target's place once
// whole: Qt's QSaveFile, unless a test puts in one that fails as a full disk does.
using OutputDraft = std::function<std::unique_ptr<QSaveFile>(const QString& target)>;

// Writes such a file whole or not at all: `write` fills a draft beside the file the guard looked
// at (where `path`'s links lead), which then replaces it; the guard is asked before anything is
// written and again just before the finished file is put in place. Every step is checked, every
// write, the last flush and the replacing included: on any failure nothing is left behind, the
// target stays as it was, byte for byte, and the failure says why ("Disco lleno" on a full disk).
MaybeFailure saveOutputFile(const QString& path, const std::function<bool(QIODevice&)>& write,
                            const OutputDraft& draft = {});

// The same for a file whose bytes are all at hand, such as a spreadsheet's.
MaybeFailure saveOutputFile(const QString& path, const QByteArray& content,
                            const OutputDraft& draft = {});

} // namespace zelpo
