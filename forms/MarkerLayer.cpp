#include "forms/MarkerLayer.h"

namespace zelpo {

MarkerLayer::MarkerLayer(QWidget* window) : QWidget(window)
{
    setObjectName(QStringLiteral("markerLayer"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(window->rect());
}

void MarkerLayer::setHeld(bool held)
{
    // Showing the sheet again repaints the whole window once, which a single marker would not
    // need: only a history's many markers are worth holding.
    if (isHidden() != held) {
        setVisible(!held);
    }
}

} // namespace zelpo
