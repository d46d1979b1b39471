#include "forms/OptionButton.h"

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
