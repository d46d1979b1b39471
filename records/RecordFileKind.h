#pragma once

#include <QtGlobal>

// The kinds of record file the program keeps, as the user is told of them.
namespace zelpo {

// Our records hold at most 20 characters; a line much longer than that is not one of ours.
inline constexpr qsizetype maxRecordLength = 64;

// What a kind of record file is to the user, as its messages name it, and the longest record it
// holds: a patient file and a corrections file are kept by the same rules, but never taken for
// each other.
struct RecordFileKind
{
    const char* plainName; // "un archivo de paciente": what a folder under its name is not
    const char* content;   // "una historia clínica": what a file too large or of no text is not
    const char* records;   // "medidas": what a full file takes no more of
    qsizetype longestRecord;
};

inline constexpr RecordFileKind patientFileKind{"un archivo de paciente", "una historia clínica",
                                                "medidas", maxRecordLength};

} // namespace zelpo
