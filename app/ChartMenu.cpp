#include "app/ChartMenu.h"

#include "app/FolderChildrenWindow.h"
#include "app/StoredWeighingsDialog.h"
#include "core/MessageService.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "history/ChildHistory.h"
#include "look/ChartLook.h"
#include "outputs/CopiedChart.h"
#include "outputs/PdfChart.h"
#include "outputs/PrintedChart.h"
#include "outputs/WeighingsSpreadsheet.h"
#include "procedures/ChartView.h"

#include <functional>

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

namespace zelpo {

namespace {

// One row of the menu: what it says, its shortcut, and what it runs; a row that turns a view on
// and off shows a tick while it is on.
struct MenuCommand
{
    QString text;
    QKeySequence shortcut;
    std::function<void()> run;
    std::function<bool()> isOn = {};
};

} // namespace

ChartMenu::ChartMenu(PerZelpo& window, OutputServices services, TextPrompt& prompt)
    : QObject(&window), m_window(window), m_outputs(chartLook(window.palette()), &window, services),
      m_history(services.history), m_messages(services.messages), m_clock(services.clock),
      m_view(services.view), m_prompt(prompt)
{
    const MenuCommand commands[] = {
        {QStringLiteral("Imprimir el gráfico…"), QKeySequence(Qt::CTRL | Qt::Key_P),
         [this] { printChart(m_outputs); }},
        {QStringLiteral("Guardar el gráfico como PDF…"), QKeySequence(Qt::CTRL | Qt::Key_S),
         [this] { saveChartAsPdf(m_outputs); }},
        // Ctrl+E alone takes a text box's cursor to the end of its line.
        {QStringLiteral("Exportar las medidas (CSV)…"),
         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), [this] { exportWeighings(m_outputs); }},
        {QStringLiteral("Copiar el gráfico"), QKeySequence(), [this] { copyChart(m_outputs); }},
        {QStringLiteral("Medidas almacenadas…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M),
         [this] { showStoredWeighings(); }},
        {QStringLiteral("Niños de la carpeta…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L),
         [this, services] {
             if (!m_folderChildren) {
                 m_folderChildren = new FolderChildrenWindow(m_window, services);
             }
             m_folderChildren->bringToFront();
         }},
        {chartViewName(firstTwoYears), QKeySequence(Qt::CTRL | Qt::Key_2),
         [this] { m_view.toggle(); }, [this] { return m_view.showsFirstTwoYears(); }},
    };
    for (const MenuCommand& command : commands) {
        auto* action = new QAction(command.text, this);
        action->setShortcut(command.shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        m_window.addAction(action);
        // Queued: the menu or the key press is done with before a dialog opens.
        connect(action, &QAction::triggered, this, command.run, Qt::QueuedConnection);
        if (command.isOn) {
            action->setCheckable(true);
            action->setChecked(command.isOn());
            connect(&m_view, &ChartView::changed, action,
                    [action, isOn = command.isOn] { action->setChecked(isOn()); });
        }
        m_actions.append(action);
    }
    // The frame and the markers let the pointer through to the picture beneath; the arrow keeps
    // it, so it asks for the menu itself.
    for (Picture* picture : {m_window.Image3(), m_window.Image4(), m_window.Image2()}) {
        picture->installEventFilter(this);
    }
}

bool ChartMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu) {
        showMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void ChartMenu::showMenu(const QPoint& globalPosition)
{
    QMenu menu(&m_window);
    menu.addActions(m_actions);
    menu.exec(globalPosition);
}

void ChartMenu::showStoredWeighings()
{
    if (!m_outputs.historyReadAgain()) {
        return;
    }
    if (!m_history.key().namesAChild() || !m_history.hasPatientFile()) {
        m_outputs.tell(QStringLiteral("Este paciente no tiene medidas almacenadas."));
        return;
    }
    StoredWeighingsDialog dialog(m_history, {m_messages, m_prompt, m_clock}, &m_window);
    dialog.exec();
}

} // namespace zelpo
