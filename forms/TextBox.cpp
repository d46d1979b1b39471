#include "forms/TextBox.h"

#include <algorithm>
#include <utility>

#include <QFocusEvent>
#include <QValidator>

namespace zelpo {

namespace {

// A box holds one line. Text copied from a spreadsheet cell or a mail arrives with its line end,
// which would make a number or a date unreadable; pasted or dropped, it leaves its line ends out.
class OneLine final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& input, int& position) const override
    {
        const auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };
        position -=
            static_cast<int>(std::count_if(input.cbegin(), input.cbegin() + position, isLineEnd));
        input.removeIf(isLineEnd);
        return Acceptable;
    }
};

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent), TwipControl(this)
{
    setValidator(new OneLine(this));
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

} // namespace zelpo
