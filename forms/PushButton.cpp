#include "forms/PushButton.h"

namespace zelpo {

PushButton::PushButton(QWidget* parent) : QPushButton(parent), TwipControl(this)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setAutoDefault(false);
}

} // namespace zelpo
