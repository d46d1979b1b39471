#pragma once

namespace zelpo {

// Installs Qt's own Spanish texts, those of the menus and dialogs Qt draws itself (a text box's
// context menu, for one), from Qt's translations, whatever the system language. Returns false,
// and leaves Qt's texts as they are, when the translation is not installed.
bool installQtSpanish();

} // namespace zelpo
