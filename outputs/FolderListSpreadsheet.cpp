#include "outputs/FolderListSpreadsheet.h"

#include "core/Conversions.h"
#include "core/OutputDialogs.h"
#include "history/FolderChildRow.h"
#include "outputs/OutputRunner.h"
#include "records/OutputFile.h"
#include "records/WeighingsCsv.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace zelpo {

QByteArray folderListCsv(const FolderListReading& reading, const QList<FolderChildRow>& rows)
{
    QString heading =
        QStringLiteral("Niños de la carpeta %1, leída el %2 a las %3")
            .arg(QDir::toNativeSeparators(reading.folder), dateText(reading.startedAt.date()),
                 reading.startedAt.time().toString(QStringLiteral("HH:mm")));
    if (reading.filesRead < reading.files) {
        heading += QStringLiteral(" (lectura sin terminar: %1 de %2 archivos)")
                       .arg(reading.filesRead)
                       .arg(reading.files);
    }
    QStringList titles;
    for (FolderColumn column : folderColumns) {
        titles.append(folderColumnTitle(column));
    }
    // A spreadsheet takes the file for UTF-8 only when it opens with the byte-order mark.
    QString text =
        QChar(QChar::ByteOrderMark) + spreadsheetLine({heading}) + spreadsheetLine(titles);
    for (const FolderChildRow& row : rows) {
        QStringList fields;
        for (FolderColumn column : folderColumns) {
            fields.append(folderCell(row, column, QString()));
        }
        text += spreadsheetLine(fields);
    }
    return text.toUtf8();
}

void exportFolderList(OutputRunner& outputs, OutputDialogs& dialogs, QWidget* parent,
                      const QByteArray& csv)
{
    const QString proposed = QFileInfo(outputs.proposedPath(QStringLiteral(".csv")))
                                 .dir()
                                 .filePath(QStringLiteral("Niños de la carpeta.csv"));
    const QString path = dialogs.chooseSavePath(
        parent, {QStringLiteral("Exportar la lista"), proposed,
                 QStringLiteral("Hojas de cálculo CSV (*.csv)"), QStringLiteral("csv")});
    if (path.isEmpty()) {
        return;
    }
    // Told before anything is made: the dialog may have offered to replace a history.
    if (const MaybeFailure refused = refuseOutputOverPatientFile(path)) {
        outputs.refuse(refused->description);
        return;
    }
    outputs.write(
        path, [&] { return saveOutputFile(path, csv); },
        QStringLiteral("No se pudo exportar la lista al archivo"));
}

} // namespace zelpo
