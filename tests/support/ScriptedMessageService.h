#pragma once

#include "core/MessageService.h"

#include <functional>

#include <QList>
#include <QQueue>
#include <QString>

// Answers message boxes on behalf of the person in front of the screen and remembers what was
// shown. Unless told otherwise it presses the default button: "Aceptar", "Sí" for questions, "No"
// for a doubt about what was typed.
class ScriptedMessageService final : public zelpo::MessageService
{
public:
    struct ShownMessage
    {
        QString text;
        zelpo::MessageStyle style;
        QString title; // as it would appear on screen: "Zelpo" when none was given
    };

    // Run while the box would be open, after it has been recorded; it may still call
    // answerNext() to choose this box's answer.
    std::function<void()> onShow;

    void answerNext(zelpo::MessageAnswer answer) { m_answers.enqueue(answer); }
    const QList<ShownMessage>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

    zelpo::MessageAnswer show(const QString& text, zelpo::MessageStyle style,
                              const QString& title = QString()) override
    {
        m_shown.append(
            {text, style, title.isEmpty() ? QString::fromUtf16(zelpo::kApplicationTitle) : title});
        if (onShow)
            onShow();
        if (!m_answers.isEmpty())
            return m_answers.dequeue();
        if (style == zelpo::MessageStyle::YesNoExclamation)
            return zelpo::MessageAnswer::No;
        return style == zelpo::MessageStyle::YesNoQuestion ? zelpo::MessageAnswer::Yes
                                                           : zelpo::MessageAnswer::Ok;
    }

private:
    QQueue<zelpo::MessageAnswer> m_answers;
    QList<ShownMessage> m_shown;
};
