#include "outputs/PdfChart.h"

#include "outputs/OutputRunner.h"
#include "printout/ChartPdfFile.h"

namespace zelpo {

void saveChartAsPdf(OutputRunner& outputs)
{
    if (outputs.historyReadAgain()) {
        savePdf(outputs);
    }
}

void savePdf(OutputRunner& outputs)
{
    const QString path =
        outputs.chooseTarget({QStringLiteral("Guardar el gráfico como PDF"), QString(),
                              QStringLiteral("Documentos PDF (*.pdf)"), QStringLiteral("pdf")});
    if (path.isEmpty()) {
        return;
    }
    const ChartPageContent page = outputs.page();
    outputs.write(
        path, [&] { return saveChartPdf(path, page); },
        QStringLiteral("No se pudo guardar el gráfico en el archivo"));
}

} // namespace zelpo
