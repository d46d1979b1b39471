#pragma once

#include "forms/TwipControl.h"

#include <QRadioButton>

namespace zelpo {

// One of the sex options. The pair is entered by Tab at the selected one only.
class OptionButton : public QRadioButton, public TwipControl
{
    Q_OBJECT

public:
    explicit OptionButton(QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace zelpo
