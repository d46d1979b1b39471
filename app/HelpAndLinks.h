#pragma once

namespace zelpo {

class AddressOpener;
class MessageService;

// "?": the help text in an information box titled "Información"; returns once it is closed.
void showHelp(MessageService& messages);

// The link labels: each call hands its address to the desktop once. A desktop that refuses it
// is not reported; the window carries on as it was.
void openWebLink(AddressOpener& addresses);
void openMailLink(AddressOpener& addresses);

} // namespace zelpo
