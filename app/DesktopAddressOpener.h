#pragma once

#include "core/AddressOpener.h"

namespace zelpo {

// Hands addresses to the desktop: the default browser or mail program.
class DesktopAddressOpener final : public AddressOpener
{
public:
    bool open(const QString& address) override;
};

} // namespace zelpo
