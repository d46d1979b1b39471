#pragma once

#include "forms/TwipControl.h"

#include <QLineEdit>

namespace zelpo {

// A text box of the chart window. As it is made it lays out its empty text in the application's
// font (setApplicationFont()), before the layout's font is set.
class TextBox : public QLineEdit, public TwipControl
{
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent);

signals:
    // The keyboard focus moved from this box to another control of the window (by Tab, a click
    // or the program). Switching to another program or opening a message box is not leaving
    // the box: when the window is active again the focus is still here.
    void lostFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool m_holdsFocus = false;
};

} // namespace zelpo
