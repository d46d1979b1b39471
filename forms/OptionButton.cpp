#include "forms/OptionButton.h"

#include <QGuiApplication>
#include <QMouseEvent>

namespace zelpo {

OptionButton::OptionButton(QWidget* parent) : QRadioButton(parent), TwipControl(this)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoFillBackground(true);
    // Tab reaches the pair at its selected option; the arrow keys move between the two.
    const auto followSelection = [this](bool checked) {
        setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
    };
    connect(this, &QRadioButton::toggled, this, followSelection);
    followSelection(isChecked());
}

void OptionButton::mousePressEvent(QMouseEvent* event)
{
    // Taking the focus from the history-number box may first show its announcement; the button
    // was let go while the box was open, and the option never hears of it. The click is complete,
    // and counts as one, instead of leaving the option held down.
    const bool alreadyLetGo = event->button() == Qt::LeftButton &&
                              !QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
    if (alreadyLetGo && hitButton(event->position().toPoint())) {
        event->accept();
        click();
        return;
    }
    QRadioButton::mousePressEvent(event);
}

} // namespace zelpo
