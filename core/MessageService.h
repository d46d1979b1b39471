#pragma once

#include <QString>

namespace zelpo {

// The kinds of message box the program shows.
enum class MessageStyle {
    Ok = 0,                 // OK, no icon
    OkStop = 16,            // OK, stop icon
    YesNoQuestion = 36,     // Yes and No, question icon, Yes the default
    OkInformation = 64,     // OK, information icon
    YesNoExclamation = 308, // Yes and No, exclamation icon, No the default
};

enum class MessageAnswer {
    Ok = 1,
    Yes = 6,
    No = 7,
};

// The program's title, shown by every message box that gives no title of its own.
inline constexpr char16_t kApplicationTitle[] = u"Zelpo";

// Modal message boxes. The window code asks through this interface so that tests can answer
// instead of a person.
class MessageService
{
public:
    virtual ~MessageService() = default;
    // Shows the text modally and returns the button pressed. An empty title means the
    // application's title.
    virtual MessageAnswer show(const QString& text, MessageStyle style,
                               const QString& title = QString()) = 0;
};

} // namespace zelpo
