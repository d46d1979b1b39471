#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

class QWidget;

namespace zelpo {

class OutputDialogs;
class OutputRunner;
struct FolderChildRow;

// When and where the list of the folder's children was read, and how far.
struct FolderListReading
{
    QDateTime startedAt;
    QString folder;
    int filesRead = 0;
    int files = 0;
};

// The list as a Spanish spreadsheet opens it, as the weighings are exported: UTF-8 with a
// byte-order mark, ";" between fields, CR LF line ends, whole numbers without separators. A first
// line says when and from which folder the list was read ("Niños de la carpeta /consultorio,
// leída el 15/01/2024 a las 10:32", with how far a reading not yet done got), then the column
// titles, then the rows in the order given; a value there is none of is an empty field.
QByteArray folderListCsv(const FolderListReading& reading, const QList<FolderChildRow>& rows);

// "Exportar la lista (CSV)…": the save dialog of `dialogs`, over `parent`, proposing "Niños de la
// carpeta.csv" where the chart's outputs are proposed, then the guard that never replaces a
// patient file, the file written whole under the wait cursor, and what went wrong told.
void exportFolderList(OutputRunner& outputs, OutputDialogs& dialogs, QWidget* parent,
                      const QByteArray& csv);

} // namespace zelpo
