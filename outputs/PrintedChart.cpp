#include "outputs/PrintedChart.h"

#include "outputs/OutputRunner.h"
#include "outputs/PdfChart.h"
#include "outputs/PrintQueue.h"
#include "printout/ChartPdfFile.h"
#include "records/OutputFile.h"

#include <QDir>
#include <QPainter>
#include <QPrinter>

namespace zelpo {

namespace {

// The page on a printer's paper, through the print system.
void printOnPrinter(OutputRunner& outputs, QPrinter& printer, const ChartPageContent& page)
{
    const QString printerName = printer.printerName();
    const auto fail = [&](const QString& reason) {
        outputs.refuse(QStringLiteral("No se pudo imprimir el gráfico en la impresora «%1»:\r%2.")
                           .arg(printerName, reason));
    };
    if (const QString refusal = printQueueRefusal(printerName); !refusal.isEmpty()) {
        fail(refusal);
        return;
    }
    // The paper is the printer's; the page stays upright, with its margins.
    setUpChartPaper(printer, true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        fail(QStringLiteral("la impresora no aceptó el trabajo"));
        return;
    }
    // Ending the painter hands the job to the print system.
    const bool printed = underWaitCursor([&] {
        const bool painted = paintChartPage(painter, printer, page);
        return painter.end() && painted;
    });
    if (!printed || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted) {
        fail(QStringLiteral("la impresora no aceptó el trabajo"));
    } else if (const QString refusal = printJobRefusal(); !refusal.isEmpty()) {
        fail(refusal);
    }
}

} // namespace

void printChart(OutputRunner& outputs)
{
    if (!outputs.historyReadAgain()) {
        return;
    }
    const ChartPageContent page = outputs.page();
    QPrinter printer(QPrinter::HighResolution);
    // The paper stays the one the dialog takes from the chosen printer.
    setUpChartPaper(printer, false);
    // The queue and its log show whose chart the job is.
    printer.setDocName(
        QStringLiteral("Zelpo — Historia %1 (%2)").arg(page.historyNumber, page.sex));
    switch (outputs.choosePrinter(printer)) {
    case PrinterChoice::Cancelled:
        return;
    case PrinterChoice::NoPrinter:
        if (outputs.ask(QStringLiteral("No hay ninguna impresora instalada en este equipo.\r\r"
                                       "¿Desea guardar el gráfico como PDF?"))) {
            savePdf(outputs);
        }
        return;
    case PrinterChoice::Chosen:
        break;
    }
    // Printed to a file, the page goes the way of every file the program writes: whole or not
    // at all, and never over a patient file, on the paper the dialog chose.
    const QString path = printer.outputFileName();
    if (path.isEmpty()) {
        printOnPrinter(outputs, printer, page);
    } else if (const MaybeFailure refused = refuseOutputOverPatientFile(path)) {
        outputs.refuse(refused->description);
    } else if (outputs.write(
                   path, [&] { return saveChartPdf(path, page, printer.pageLayout().pageSize()); },
                   QStringLiteral("No se pudo imprimir el gráfico en el archivo"))) {
        outputs.tell(QStringLiteral("El gráfico se imprimió en el archivo\r%1")
                         .arg(QDir::toNativeSeparators(path)));
    }
}

} // namespace zelpo
