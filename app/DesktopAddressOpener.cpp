#include "app/DesktopAddressOpener.h"

#include <QDesktopServices>
#include <QUrl>

namespace zelpo {

bool DesktopAddressOpener::open(const QString& address)
{
    // Addresses are written as people write them ("www.example.org"), as the desktop's shell
    // accepts them; a "mailto:" address keeps its scheme.
    return QDesktopServices::openUrl(QUrl::fromUserInput(address));
}

} // namespace zelpo
