#pragma once

#include "records/StoredWeighings.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A child's stored weighings as a spreadsheet file.
namespace zelpo {

// The whole file: UTF-8 with a byte-order mark, fields apart by ";", lines ending in CR LF. A
// header row "Historia;Sexo;Nacimiento;Fecha;Días;Meses;Gramos;Percentil;g/día;Estado", then one
// row per stored weighing in file order, e.g.
// "0000012;Varón;29/10/2022;28/10/2024;730;24;13100;P50–P75;+13;": the history number as the
// file's name writes it, the sex, the birth date the ages count from, the weighing as the
// chart places and reads it, and whether it was struck out. A missing band or gain is an empty
// field; a field holding ";", a quotation mark or a line break is quoted, its quotation marks
// doubled.
QByteArray weighingsCsv(const QString& historyNumber, const StoredHistory& history);

// One line of such a file: the fields apart by ";", each quoted as above, ending in CR LF.
QString spreadsheetLine(const QStringList& fields);

} // namespace zelpo
