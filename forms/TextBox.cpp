#include "forms/TextBox.h"

#include <utility>

#include <QFocusEvent>

TextBox::TextBox(QWidget* parent) : QLineEdit(parent), TwipControl(this)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setTextMargins(0, 0, 0, 0);
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    m_holdsFocus = true;
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    // When the handler of the box being left sends the focus back to itself, the toolkit also
    // reports leaving the box the focus was heading for, which never had it: that is no leaving.
    if (std::exchange(m_holdsFocus, false)) {
        emit lostFocus();
    }
}
