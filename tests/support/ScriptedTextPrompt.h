#pragma once

#include "core/TextPrompt.h"

#include <QQueue>
#include <QStringList>

// Types the answers it is given, one a prompt, and remembers the titles asked under; with no
// answer left it cancels.
class ScriptedTextPrompt final : public zelpo::TextPrompt
{
public:
    void answerNext(const QString& text) { m_answers.enqueue(text); }
    const QStringList& asked() const { return m_asked; }

    std::optional<QString> ask(const QString& title, const QString&, const QString&,
                               int maxLength) override
    {
        m_asked.append(title);
        if (m_answers.isEmpty())
            return std::nullopt;
        return m_answers.dequeue().left(maxLength);
    }

private:
    QQueue<QString> m_answers;
    QStringList m_asked;
};
