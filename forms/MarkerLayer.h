#pragma once

#include <QWidget>

namespace zelpo {

// A transparent sheet over the whole chart window that carries one declared group of weighing
// markers at the group's place in the stacking. It can be held back while a history is plotted:
// markers shown meanwhile appear together when it is let go, and the toolkit then looks for the
// pointer once instead of once for each marker.
class MarkerLayer : public QWidget
{
    Q_OBJECT

public:
    explicit MarkerLayer(QWidget* window);

    void setHeld(bool held);
};

} // namespace zelpo
