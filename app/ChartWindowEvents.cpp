#include "app/ChartWindowEvents.h"

#include "app/HelpAndLinks.h"
#include "forms/FormLabel.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "procedures/ChartView.h"
#include "procedures/HistoryLoader.h"
#include "procedures/HoverReadout.h"

#include <QHelpEvent>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QToolTip>

namespace zelpo {

ChartWindowEvents::ChartWindowEvents(PerZelpo& window, ChartServices services,
                                     std::function<void()> endProgram)
    : QObject(&window), m_window(window), m_services(services), m_endProgram(std::move(endProgram)),
      m_chart(new HistoryOnChart(window, services.history, services.view)),
      m_plot(window, services.history, services.messages, services.clock)
{
    connectEvents();
}

void ChartWindowEvents::loadHistory()
{
    CargarHistoria(m_window, m_services.history, m_services.messages);
}

void ChartWindowEvents::connectEvents()
{
    // The pointer readout ignores the buttons and keys held, so only the position is passed on.
    const auto position = [this](void (ChartWindowEvents::*handler)(float, float)) {
        return [this, handler](float x, float y, Qt::MouseButtons, Qt::KeyboardModifiers) {
            (this->*handler)(x, y);
        };
    };
    connect(&m_window, &PerZelpo::mouseMoved, this, position(&ChartWindowEvents::Form_MouseMove));
    connect(m_window.Image1(), &Picture::mouseMoved, this,
            position(&ChartWindowEvents::Image1_MouseMove));
    connect(m_window.Image3(), &Picture::mouseMoved, this,
            position(&ChartWindowEvents::Image3_MouseMove));
    connect(m_window.Image4(), &Picture::mouseMoved, this,
            position(&ChartWindowEvents::Image4_MouseMove));

    connect(m_window.Command1(), &FormLabel::clicked, this, &ChartWindowEvents::Command1_Click);
    connect(m_window.Command2(), &FormLabel::clicked, this, &ChartWindowEvents::Command2_Click);
    connect(m_window.Command3(), &FormLabel::clicked, this, &ChartWindowEvents::Command3_Click);
    connect(m_window.Label4(), &FormLabel::clicked, this, &ChartWindowEvents::Label4_Click);
    connect(m_window.Label8(), &FormLabel::clicked, this, &ChartWindowEvents::Label8_Click);

    for (int index : {0, 1}) {
        connect(m_window.Option1(index), &OptionButton::clicked, this,
                [this, index] { Option1_Click(index); });
    }
    connect(m_window.Text1(), &TextBox::lostFocus, this, &ChartWindowEvents::Text1_LostFocus);
    connect(m_window.Text3(), &TextBox::lostFocus, this, &ChartWindowEvents::Text3_LostFocus);

    // "?", "Graficar" and "Fin" are labels that never take the focus, so the keyboard reaches the
    // commands otherwise: Enter (Return or the keypad's) in the weight box, the last entry before
    // plotting, runs "Graficar" as a click does, checks included, and F1 anywhere in the window
    // shows the help of "?". The focus stays where it is, as after a click on them.
    connect(m_window.Text1(), &QLineEdit::returnPressed, this, &ChartWindowEvents::Command1_Click);
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), &m_window);
    connect(help, &QShortcut::activated, this, &ChartWindowEvents::Command2_Click);

    // Another view puts other ages and weights under the cross-hair where it stands.
    connect(&m_services.view, &ChartView::changed, this,
            [this] { rereadReadout(m_window, m_services.view.spans()); });

    // The markers let the pointer through to the chart pictures; the arrow, over the newest
    // marker, keeps it.
    for (Picture* picture : {m_window.Image3(), m_window.Image4(), m_window.Image2()}) {
        picture->installEventFilter(this);
    }
}

bool ChartWindowEvents::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip) {
        return QObject::eventFilter(watched, event);
    }
    const auto* resting = static_cast<QHelpEvent*>(event);
    auto* picture = static_cast<QWidget*>(watched);
    const QString text =
        m_chart->tooltipAt(pointerTwips(picture->mapTo(&m_window, resting->pos())));
    if (text.isEmpty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(resting->globalPos(), text, picture);
    }
    return true;
}

void ChartWindowEvents::Form_MouseMove(float, float)
{
    hideReadout(m_window);
}

void ChartWindowEvents::Image1_MouseMove(float, float)
{
    hideReadout(m_window);
}

void ChartWindowEvents::Image3_MouseMove(float x, float y)
{
    showReadout(m_window, x, y, ChartPicture::Image3, m_services.view.spans());
}

void ChartWindowEvents::Image4_MouseMove(float x, float y)
{
    showReadout(m_window, x, y, ChartPicture::Image4, m_services.view.spans());
}

void ChartWindowEvents::Command1_Click()
{
    // The birth date beside a number not yet looked up would still be the last child's.
    if (loadTypedHistory()) {
        return;
    }
    m_plot.Command1_Click();
}

bool ChartWindowEvents::loadTypedHistory()
{
    if (m_services.history.isLookedUp(m_window.Text3()->text())) {
        return false;
    }
    const QScopedValueRollback loading(m_loadingTypedHistory, true);
    loadHistory();
    return true;
}

void ChartWindowEvents::Command2_Click()
{
    showHelp(m_services.messages);
}

void ChartWindowEvents::Command3_Click()
{
    m_endProgram();
}

void ChartWindowEvents::Label4_Click()
{
    openWebLink(m_services.addresses);
}

void ChartWindowEvents::Label8_Click()
{
    openMailLink(m_services.addresses);
}

void ChartWindowEvents::Option1_Click(int)
{
    loadHistory();
}

void ChartWindowEvents::Text1_LostFocus()
{
    m_plot.Text1_LostFocus();
}

void ChartWindowEvents::Text3_LostFocus()
{
    // The load run for a command moves the focus out of the box: that leaving is the same load.
    if (!m_loadingTypedHistory) {
        loadHistory();
    }
}

} // namespace zelpo
