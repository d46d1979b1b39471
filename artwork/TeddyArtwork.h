#pragma once

class QPainter;
class QRectF;

namespace zelpo {

// The panel and the window icon both show the same two bears: one holds a light blue frame, the
// other a red one.
enum class TeddyFrame { LightBlue, Red };

// A sitting teddy bear holding a picture frame in front of it, as large as fits in `bounds` and
// centred there.
void paintTeddyWithFrame(QPainter& painter, const QRectF& bounds, TeddyFrame frame);

} // namespace zelpo
