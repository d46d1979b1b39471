#pragma once

#include "forms/TwipControl.h"

#include <QPushButton>

namespace zelpo {

// The window's one standard push button, "..", which has no action of its own.
class PushButton : public QPushButton, public TwipControl
{
    Q_OBJECT

public:
    explicit PushButton(QWidget* parent);
};

} // namespace zelpo
