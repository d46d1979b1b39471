#include "outputs/WeighingsSpreadsheet.h"

#include "history/ChildHistory.h"
#include "outputs/OutputRunner.h"
#include "records/OutputFile.h"
#include "records/WeighingsCsv.h"

namespace zelpo {

void exportWeighings(OutputRunner& outputs)
{
    if (!outputs.historyReadAgain()) {
        return;
    }
    const ChildHistory& history = outputs.history();
    if (!history.key().namesAChild() || !history.hasPatientFile()) {
        outputs.tell(QStringLiteral("Este paciente no tiene medidas almacenadas para exportar."));
        return;
    }
    // As the chart shows the history: a damaged record where the chart places it.
    const QByteArray csv = weighingsCsv(history.key().historyNumber(), history.stored());
    const QString path = outputs.chooseTarget({QStringLiteral("Exportar las medidas"), QString(),
                                               QStringLiteral("Hojas de cálculo CSV (*.csv)"),
                                               QStringLiteral("csv")});
    if (path.isEmpty()) {
        return;
    }
    outputs.write(
        path, [&] { return saveOutputFile(path, csv); },
        QStringLiteral("No se pudieron exportar las medidas al archivo"));
}

} // namespace zelpo
