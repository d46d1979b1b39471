#pragma once

#include <QString>

namespace zelpo {

// Opens a web or "mailto:" address with the desktop's default handler.
class AddressOpener
{
public:
    virtual ~AddressOpener() = default;
    // Returns whether the desktop accepted the address; callers may ignore it.
    virtual bool open(const QString& address) = 0;
};

} // namespace zelpo
