#include "forms/TextBox.h"

#include <QFocusEvent>

TextBox::TextBox(QWidget* parent) : QLineEdit(parent), TwipControl(this)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setTextMargins(0, 0, 0, 0);
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        emit lostFocus();
    }
}
