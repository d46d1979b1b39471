#pragma once

#include "core/PercentileCurves.h"
#include "history/ChildKey.h"

#include <array>
#include <optional>

#include <QDate>
#include <QString>
#include <QVariant>

// One child of the program's folder as the list of the folder's children shows it: what the
// chart window shows of the child once its number is looked up, corrections applied, in plain
// values that pass between threads.
namespace zelpo {

class ChildHistory;
struct HistoryLookup;

struct FolderChildRow
{
    // The patient file, or a corrections file found without one.
    QString fileName;
    // "0004711", as the file's name writes the number; empty when the name is none the program
    // gives a file.
    QString historyNumber;
    std::optional<ChildKey> child;  // whom looking the number up opens
    std::optional<QDate> birthDate; // the one every age counts from, as corrected
    // The age today, in days: for a baby born early, the corrected age while it is read at one.
    std::optional<double> ageDays;
    bool ageCorrected = false;
    // The latest weighing that stands, read as the chart reads it.
    std::optional<QDate> weighed;
    std::optional<double> grams;
    QString band;
    std::optional<int> gramsPerDay;
    QString review;
    std::optional<qint64> daysUnweighed;
    // Why the file is not read as a history, or not wholly, as looking the child up says;
    // empty when it was read.
    QString note;
    bool inUseAtAnotherDesk = false;
};

enum class FolderColumn {
    History,
    Sex,
    Birth,
    Age,
    Weighed,
    Grams,
    Band,
    Gain,
    Review,
    DaysUnweighed,
    Note
};

inline constexpr std::array folderColumns{
    FolderColumn::History, FolderColumn::Sex,           FolderColumn::Birth, FolderColumn::Age,
    FolderColumn::Weighed, FolderColumn::Grams,         FolderColumn::Band,  FolderColumn::Gain,
    FolderColumn::Review,  FolderColumn::DaysUnweighed, FolderColumn::Note};

// What a row says of a file another desk keeps in use.
inline constexpr char inUseNote[] = "en uso en otro puesto";

// "Historia", "Sexo", "Nacimiento", "Edad", "Última pesada", "Peso (g)", "Percentil",
// "Ganancia (g/día)", "Para revisar", "Días sin pesar", "Observaciones".
QString folderColumnTitle(FolderColumn column);

// The row's cell in that column: "0004711", "Mujer", "14/02/2021", "2 años 11 meses" or
// "5 meses (corregida)", "14/02/2022", "9800", "P50–P75", "+6", the signal, "700", the note; a
// value there is none of reads `none`.
QString folderCell(const FolderChildRow& row, FolderColumn column, const QString& none);

// What the column sorts the row by: numbers as numbers, dates as dates, a band from the lowest
// to the highest, text as text; a value there is none of sorts first.
QVariant folderSortKey(const FolderChildRow& row, FolderColumn column);

// "2 años 11 meses", "1 año", "5 meses", "1 mes", from whole months as the readout counts them.
QString yearsAndMonths(int months);

// The child a file of the folder belongs to: "0004711M.CRV" and "0004711M.COR" are girl 4711.
// Nothing for a name the program never gives a patient file.
std::optional<ChildKey> childOfFile(const QString& fileName);

// The row of `fileName` from `history` once `lookup` looked its child up, as it stands `today`.
FolderChildRow folderChildRow(const QString& fileName, const ChildHistory& history,
                              const HistoryLookup& lookup, QDate today);

// The row of a file whose name no patient file has.
FolderChildRow unnamedFileRow(const QString& fileName);

} // namespace zelpo
