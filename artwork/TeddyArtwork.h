#pragma once

class QColor;
class QPainter;
class QRectF;

namespace zelpo {

// A sitting teddy bear holding a picture frame of the given colour in front of it, as large as
// fits in `bounds` and centred there. The panel and the window icon both show these bears.
void paintTeddyWithFrame(QPainter& painter, const QRectF& bounds, const QColor& frameColor);

} // namespace zelpo
