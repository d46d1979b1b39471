#include "app/HelpAndLinks.h"

#include "core/AddressOpener.h"
#include "core/HelpText.h"
#include "core/MakerContact.h"
#include "core/MessageService.h"

namespace zelpo {

void showHelp(MessageService& messages)
{
    messages.show(zelpo::helpText(), MessageStyle::OkInformation, QStringLiteral("Información"));
}

void openWebLink(AddressOpener& addresses)
{
    addresses.open(QString::fromUtf16(kMakerWebAddress));
}

void openMailLink(AddressOpener& addresses)
{
    addresses.open(QStringLiteral("mailto:") + QString::fromUtf16(kMakerMailAddress));
}

} // namespace zelpo
