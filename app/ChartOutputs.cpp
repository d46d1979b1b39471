#include "app/ChartOutputs.h"

#include "app/ChartWindowEvents.h"
#include "app/OutputDialogs.h"
#include "core/Clock.h"
#include "core/MessageService.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "printout/ChartPage.h"
#include "printout/ChartPdfFile.h"
#include "procedures/ChartPageSnapshot.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QStandardPaths>

ChartOutputs::ChartOutputs(PerZelpo& window, ChartWindowEvents& events,
                           ChartOutputServices services)
    : QObject(&window), m_window(window), m_events(events), m_services(services),
      m_print(new QAction(QStringLiteral("Imprimir el gráfico…"), this)),
      m_save(new QAction(QStringLiteral("Guardar el gráfico como PDF…"), this))
{
    m_print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    for (QAction* action : {m_print, m_save}) {
        action->setShortcutContext(Qt::WindowShortcut);
        m_window.addAction(action);
    }
    // Queued: the menu or the key press is done with before a dialog opens.
    connect(m_print, &QAction::triggered, this, &ChartOutputs::printChart, Qt::QueuedConnection);
    connect(m_save, &QAction::triggered, this, &ChartOutputs::saveChartAsPdf, Qt::QueuedConnection);
    // The frame and the markers let the pointer through to the picture beneath; the arrow keeps
    // it, so it asks for the menu itself.
    for (Picture* picture : {m_window.Image3(), m_window.Image4(), m_window.Image2()}) {
        picture->installEventFilter(this);
    }
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
    menu.addAction(m_print);
    menu.addAction(m_save);
    menu.exec(globalPosition);
}

QString ChartOutputs::proposedPdfPath() const
{
    const QString patientFile = namedPatientFile(m_window);
    const QString name = patientFile.isEmpty()
                             ? QStringLiteral("zelpo.pdf")
                             : QFileInfo(patientFile).completeBaseName() + QStringLiteral(".pdf");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(name);
}

void ChartOutputs::printChart()
{
    if (m_events.loadTypedHistory()) {
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    setUpChartPaper(printer, false);
    if (!m_services.dialogs.choosePrinter(&m_window, printer)) {
        return;
    }
    // The paper is the printer's; the page stays upright, with its margins.
    setUpChartPaper(printer, true);
    QPainter painter;
    if (!painter.begin(&printer)) {
        m_services.messages.show(QStringLiteral("No se pudo imprimir el gráfico: la impresora "
                                                "no aceptó el trabajo."),
                                 MessageStyle::OkStop);
        return;
    }
    const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
    paintChartPage(painter, QRectF(QPointF(0, 0), printable.size()),
                   chartPageSnapshot(m_window, m_services.clock.today(), m_services.patientFolder));
    painter.end();
}

void ChartOutputs::saveChartAsPdf()
{
    if (m_events.loadTypedHistory()) {
        return;
    }
    const QString path = m_services.dialogs.choosePdfPath(&m_window, proposedPdfPath());
    if (path.isEmpty()) {
        return;
    }
    if (!saveChartPdf(path, chartPageSnapshot(m_window, m_services.clock.today(),
                                              m_services.patientFolder))) {
        m_services.messages.show(
            QStringLiteral("No se pudo guardar el gráfico en el archivo\r%1\r\rCompruebe que la "
                           "carpeta existe, que se puede escribir en ella y que el disco no está "
                           "lleno.")
                .arg(QDir::toNativeSeparators(path)),
            MessageStyle::OkStop);
    }
}
