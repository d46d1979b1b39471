#include "app/ChartOutputs.h"

#include "app/OutputDialogs.h"
#include "app/PrintQueue.h"
#include "app/StoredWeighingsDialog.h"
#include "core/Clock.h"
#include "core/MessageService.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "history/ChildHistory.h"
#include "printout/ChartPage.h"
#include "printout/ChartPdfFile.h"
#include "procedures/ChartPageSnapshot.h"
#include "procedures/HistoryLoader.h"
#include "procedures/WaitCursor.h"
#include "records/OutputFile.h"
#include "records/WeighingsCsv.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QScopeGuard>
#include <QStandardPaths>

namespace zelpo {

namespace {

// The copied chart is this many times the window's: sharp on paper at a usual size.
constexpr int kCopyScale = 3;

// The sheets of a long history take a moment to draw: the wait cursor shows while `draw` runs,
// and is gone before any message about its outcome.
template <typename Draw>
auto underWaitCursor(Draw draw)
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    return draw();
}

} // namespace

ChartOutputs::ChartOutputs(PerZelpo& window, ChartOutputServices services)
    : QObject(&window), m_window(window), m_services(std::move(services))
{
    addAction(QStringLiteral("Imprimir el gráfico…"), QKeySequence(Qt::CTRL | Qt::Key_P),
              &ChartOutputs::printChart);
    addAction(QStringLiteral("Guardar el gráfico como PDF…"), QKeySequence(Qt::CTRL | Qt::Key_S),
              &ChartOutputs::saveChartAsPdf);
    // Ctrl+E alone takes a text box's cursor to the end of its line.
    addAction(QStringLiteral("Exportar las medidas (CSV)…"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), &ChartOutputs::exportWeighings);
    addAction(QStringLiteral("Copiar el gráfico"), QKeySequence(), &ChartOutputs::copyChart);
    addAction(QStringLiteral("Medidas almacenadas…"),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), &ChartOutputs::showStoredWeighings);
    // The frame and the markers let the pointer through to the picture beneath; the arrow keeps
    // it, so it asks for the menu itself.
    for (Picture* picture : {m_window.Image3(), m_window.Image4(), m_window.Image2()}) {
        picture->installEventFilter(this);
    }
}

QAction* ChartOutputs::addAction(const QString& text, const QKeySequence& shortcut,
                                 void (ChartOutputs::*command)())
{
    auto* action = new QAction(text, this);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    m_window.addAction(action);
    // Queued: the menu or the key press is done with before a dialog opens.
    connect(action, &QAction::triggered, this, command, Qt::QueuedConnection);
    m_actions.append(action);
    return action;
}

bool ChartOutputs::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ChartOutputs::showMenu(const QPoint& globalPosition)
{
    QMenu menu(&m_window);
    menu.addActions(m_actions);
    menu.exec(globalPosition);
}

void ChartOutputs::refuse(const QString& text)
{
    m_services.messages.show(text, MessageStyle::OkStop);
}

QString ChartOutputs::chooseTarget(const SaveChoice& choice)
{
    const QString path = m_services.dialogs.chooseSavePath(&m_window, choice);
    // Told before anything is made: the dialog may have offered to replace a history.
    if (!path.isEmpty()) {
        if (const zelpo::MaybeFailure refused = zelpo::refuseOutputOverPatientFile(path)) {
            refuse(refused->description);
            return QString();
        }
    }
    return path;
}

bool ChartOutputs::historyReadAgain()
{
    if (m_services.lookUpTypedHistory()) {
        return false;
    }
    // An output never goes on with a history it could not read: it would show none.
    if (const zelpo::MaybeFailure unread =
            m_services.history.refresh(WaitCursor().whileWaiting())) {
        refuse(QStringLiteral("No se pudieron leer las medidas almacenadas.\r%1")
                   .arg(unread->description));
        return false;
    }
    return true;
}

QString ChartOutputs::proposedPath(const QString& suffix) const
{
    const zelpo::ChildHistory& history = m_services.history;
    const QString name = (history.key().namesAChild() && !history.fileName().isEmpty()
                              ? QFileInfo(history.fileName()).completeBaseName()
                              : QStringLiteral("zelpo")) +
                         suffix;
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(name);
}

void ChartOutputs::printChart()
{
    if (!historyReadAgain()) {
        return;
    }
    const ChartPageContent page =
        chartPageSnapshot(m_window, m_services.history, m_services.clock.today());
    QPrinter printer(QPrinter::HighResolution);
    // The paper stays the one the dialog takes from the chosen printer.
    setUpChartPaper(printer, false);
    // The queue and its log show whose chart the job is.
    printer.setDocName(
        QStringLiteral("Zelpo — Historia %1 (%2)").arg(page.historyNumber, page.sex));
    switch (m_services.dialogs.choosePrinter(&m_window, printer, proposedPath(".pdf"))) {
    case PrinterChoice::Cancelled:
        return;
    case PrinterChoice::NoPrinter:
        if (m_services.messages.show(QStringLiteral("No hay ninguna impresora instalada en este "
                                                    "equipo.\r\r¿Desea guardar el gráfico como "
                                                    "PDF?"),
                                     MessageStyle::YesNoQuestion) == MessageAnswer::Yes) {
            savePdf();
        }
        return;
    case PrinterChoice::Chosen:
        break;
    }
    // Printed to a file, the page goes the way of every file the program writes: whole or not
    // at all, and never over a patient file, on the paper the dialog chose.
    if (const QString path = printer.outputFileName(); !path.isEmpty()) {
        if (const zelpo::MaybeFailure refused = zelpo::refuseOutputOverPatientFile(path)) {
            refuse(refused->description);
        } else if (const zelpo::MaybeFailure failed = underWaitCursor(
                       [&] { return saveChartPdf(path, page, printer.pageLayout().pageSize()); })) {
            refuse(QStringLiteral("No se pudo imprimir el gráfico en el archivo\r%1\r\r%2")
                       .arg(QDir::toNativeSeparators(path), failed->description));
        } else {
            m_services.messages.show(QStringLiteral("El gráfico se imprimió en el archivo\r%1")
                                         .arg(QDir::toNativeSeparators(path)),
                                     MessageStyle::OkInformation);
        }
        return;
    }
    const QString printerName = printer.printerName();
    const auto fail = [&](const QString& reason) {
        refuse(QStringLiteral("No se pudo imprimir el gráfico en la impresora «%1»:\r%2.")
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

void ChartOutputs::saveChartAsPdf()
{
    if (historyReadAgain()) {
        savePdf();
    }
}

void ChartOutputs::savePdf()
{
    const QString path =
        chooseTarget({QStringLiteral("Guardar el gráfico como PDF"), proposedPath(".pdf"),
                      QStringLiteral("Documentos PDF (*.pdf)"), QStringLiteral("pdf")});
    if (path.isEmpty()) {
        return;
    }
    const ChartPageContent page =
        chartPageSnapshot(m_window, m_services.history, m_services.clock.today());
    if (const zelpo::MaybeFailure failed =
            underWaitCursor([&] { return saveChartPdf(path, page); })) {
        refuse(QStringLiteral("No se pudo guardar el gráfico en el archivo\r%1\r\r%2")
                   .arg(QDir::toNativeSeparators(path), failed->description));
    }
}

void ChartOutputs::exportWeighings()
{
    if (!historyReadAgain()) {
        return;
    }
    const zelpo::ChildHistory& history = m_services.history;
    if (!history.key().namesAChild() || history.records().isEmpty()) {
        m_services.messages.show(
            QStringLiteral("Este paciente no tiene medidas almacenadas para exportar."),
            MessageStyle::OkInformation);
        return;
    }
    // As the chart shows the history: a damaged record where the chart places it.
    const QByteArray csv = zelpo::weighingsCsv(history.key().historyNumber(), history.stored());
    const QString path =
        chooseTarget({QStringLiteral("Exportar las medidas"), proposedPath(".csv"),
                      QStringLiteral("Hojas de cálculo CSV (*.csv)"), QStringLiteral("csv")});
    if (path.isEmpty()) {
        return;
    }
    const zelpo::MaybeFailure failed = zelpo::saveOutputFile(
        path, [&csv](QIODevice& file) { return file.write(csv) == csv.size(); });
    if (failed) {
        refuse(QStringLiteral("No se pudieron exportar las medidas al archivo\r%1\r\r%2")
                   .arg(QDir::toNativeSeparators(path), failed->description));
    }
}

void ChartOutputs::copyChart()
{
    // The copy shows only the chart: no patient file is read for it.
    if (m_services.lookUpTypedHistory()) {
        return;
    }
    QImage image = chartImage(chartPictureSnapshot(m_window, m_services.history), kCopyScale);
    // The window is laid out at 96 dots to the inch. Tagged as dense as it is larger, the copy
    // pastes at the window's size, and stays sharp when enlarged or printed.
    constexpr double windowDotsPerMetre = 96 / 0.0254;
    image.setDotsPerMeterX(qRound(windowDotsPerMetre * kCopyScale));
    image.setDotsPerMeterY(qRound(windowDotsPerMetre * kCopyScale));
    QGuiApplication::clipboard()->setImage(image);
}

void ChartOutputs::showStoredWeighings()
{
    if (!historyReadAgain()) {
        return;
    }
    zelpo::ChildHistory& history = m_services.history;
    if (!history.key().namesAChild() || history.records().isEmpty()) {
        m_services.messages.show(QStringLiteral("Este paciente no tiene medidas almacenadas."),
                                 MessageStyle::OkInformation);
        return;
    }
    StoredWeighingsDialog dialog(
        history, {m_services.messages, m_services.prompt, m_services.clock}, &m_window);
    connect(&dialog, &StoredWeighingsDialog::corrected, this,
            [this] { showCorrectedBirthDate(m_window, m_services.history); });
    dialog.exec();
}

} // namespace zelpo
