#pragma once

#include <optional>

#include <QString>

namespace zelpo {

// Asks the user for one line of text in a modal dialog. The window code asks through this
// interface so that tests can answer instead of a person.
class TextPrompt
{
public:
    virtual ~TextPrompt() = default;
    // Shows `label` under `title` with `text` proposed, and takes from 1 to `maxLength`
    // characters; nothing when the user cancels.
    virtual std::optional<QString> ask(const QString& title, const QString& label,
                                       const QString& text, int maxLength) = 0;
};

} // namespace zelpo
