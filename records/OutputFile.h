#pragma once

#include "core/Failure.h"

#include <functional>

#include <QString>

class QIODevice;

// The files the program writes for the user, wherever the user points it: they never take the
// place of a patient file.
namespace zelpo {

// Why a file the program writes for the user (a PDF, a spreadsheet, a printer's file) may not
// go to `path`: a patient file stands there, or may, since the file behind the name cannot be
// read or its links cannot be followed to the end. Empty when it may be written.
MaybeFailure refuseOutputOverPatientFile(const QString& path);

// Writes such a file whole or not at all: `write` fills a temporary file beside the file the
// guard looked at (where `path`'s links lead), which then replaces it; the guard is asked before
// anything is written and again just before the finished file is put in place.
// On failure nothing is left behind and the target stays as it was, byte for byte.
MaybeFailure saveOutputFile(const QString& path, const std::function<bool(QIODevice&)>& write);

} // namespace zelpo
