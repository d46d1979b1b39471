#include "forms/PushButton.h"

PushButton::PushButton(QWidget* parent) : QPushButton(parent), TwipControl(this)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoDefault(false);
}
