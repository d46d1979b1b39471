#include "artwork/TeddyArtwork.h"

#include <algorithm>

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace zelpo {

namespace {

// The bear is drawn in a box of its own units and scaled into place.
const QRectF kBearBox(12, 7, 78, 113);

const QColor kFur(181, 129, 76);
const QColor kFurShade(150, 101, 56);
const QColor kFurLight(236, 210, 168);
const QColor kOutline(102, 64, 34);
const QColor kNose(58, 36, 22);

// Below this many device pixels of height the face and the heart would only be a smudge.
constexpr double kDetailedHeight = 28;

void paintFurEllipse(QPainter& painter, QPointF centre, double rx, double ry)
{
    QRadialGradient fur(centre - QPointF(rx * 0.3, ry * 0.35), std::max(rx, ry) * 1.2);
    fur.setColorAt(0, kFur.lighter(112));
    fur.setColorAt(1, kFurShade);
    painter.setBrush(fur);
    painter.drawEllipse(centre, rx, ry);
}

QPainterPath heartPath(const QRectF& box)
{
    const double w = box.width();
    const double h = box.height();
    const QPointF top(box.center().x(), box.top() + h * 0.28);
    QPainterPath heart(QPointF(box.center().x(), box.bottom()));
    heart.cubicTo(box.left() + w * 0.1, box.top() + h * 0.62, box.left() - w * 0.1,
                  box.top() + h * 0.05, top.x() - w * 0.25, box.top() + h * 0.02);
    heart.cubicTo(top.x() - w * 0.1, box.top(), top.x(), box.top() + h * 0.14, top.x(), top.y());
    heart.cubicTo(top.x(), box.top() + h * 0.14, top.x() + w * 0.1, box.top(), top.x() + w * 0.25,
                  box.top() + h * 0.02);
    heart.cubicTo(box.right() + w * 0.1, box.top() + h * 0.05, box.right() - w * 0.1,
                  box.top() + h * 0.62, box.center().x(), box.bottom());
    return heart;
}

void paintFrame(QPainter& painter, const QColor& frameColor, bool detailed)
{
    const QRectF outer(22, 66, 56, 40);
    const QRectF picture = outer.adjusted(7, 7, -7, -7);

    QLinearGradient moulding(outer.topLeft(), outer.bottomRight());
    moulding.setColorAt(0, frameColor.lighter(118));
    moulding.setColorAt(1, frameColor.darker(112));
    painter.setPen(QPen(frameColor.darker(160), 1.6));
    painter.setBrush(moulding);
    painter.drawRoundedRect(outer, 4, 4);

    QLinearGradient glass(picture.topLeft(), picture.bottomLeft());
    glass.setColorAt(0, QColor(255, 255, 255));
    glass.setColorAt(1, QColor(242, 246, 250));
    painter.setPen(QPen(frameColor.darker(150), 1.0));
    painter.setBrush(glass);
    painter.drawRect(picture);

    if (detailed) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(frameColor);
        painter.drawPath(heartPath(picture.adjusted(14, 6, -14, -5)));
    }
}

void paintFace(QPainter& painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 150, 140, 110));
    painter.drawEllipse(QPointF(33, 47), 4.5, 3.2);
    painter.drawEllipse(QPointF(67, 47), 4.5, 3.2);

    painter.setBrush(kNose);
    painter.drawEllipse(QPointF(40, 34), 3.3, 3.6);
    painter.drawEllipse(QPointF(60, 34), 3.3, 3.6);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(41.1, 32.7), 1.1, 1.1);
    painter.drawEllipse(QPointF(61.1, 32.7), 1.1, 1.1);

    painter.setBrush(kNose);
    painter.drawEllipse(QPointF(50, 45), 5, 3.4);
    QPainterPath mouth(QPointF(50, 48));
    mouth.lineTo(50, 51.5);
    mouth.moveTo(45.5, 52.5);
    mouth.quadTo(50, 55.5, 54.5, 52.5);
    painter.setPen(QPen(kNose, 1.4, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mouth);
}

} // namespace

void paintTeddyWithFrame(QPainter& painter, const QRectF& bounds, TeddyFrame frame)
{
    const QColor frameColor =
        frame == TeddyFrame::LightBlue ? QColor(110, 182, 232) : QColor(214, 48, 49);
    const double scale =
        std::min(bounds.width() / kBearBox.width(), bounds.height() / kBearBox.height());
    const double deviceHeight = kBearBox.height() * scale * painter.deviceTransform().m22();
    const bool detailed = deviceHeight >= kDetailedHeight;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(bounds.center());
    painter.scale(scale, scale);
    painter.translate(-kBearBox.center());

    const QPen outline(kOutline, detailed ? 1.6 : 2.4);
    painter.setPen(outline);
    for (double x : {24.0, 76.0}) {
        paintFurEllipse(painter, QPointF(x, 20), 11, 11);
        painter.save();
        painter.setPen(Qt::NoPen);
        painter.setBrush(kFurLight);
        painter.drawEllipse(QPointF(x, 21), 5.5, 5.5);
        painter.restore();
    }
    paintFurEllipse(painter, QPointF(50, 86), 31, 28);
    for (double x : {31.0, 69.0}) {
        paintFurEllipse(painter, QPointF(x, 111), 13, 7.5);
        if (detailed) {
            painter.save();
            painter.setPen(Qt::NoPen);
            painter.setBrush(kFurLight);
            painter.drawEllipse(QPointF(x, 112), 6.5, 4);
            painter.restore();
        }
    }
    paintFurEllipse(painter, QPointF(50, 38), 27, 25);
    painter.setBrush(kFurLight);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(50, 48), 12.5, 9);

    paintFrame(painter, frameColor, detailed);

    painter.setPen(outline);
    paintFurEllipse(painter, QPointF(23, 84), 7.5, 7.5);
    paintFurEllipse(painter, QPointF(77, 84), 7.5, 7.5);

    if (detailed) {
        paintFace(painter);
    } else {
        painter.setPen(Qt::NoPen);
        painter.setBrush(kNose);
        painter.drawEllipse(QPointF(39, 34), 4, 4.4);
        painter.drawEllipse(QPointF(61, 34), 4, 4.4);
        painter.drawEllipse(QPointF(50, 45), 6, 4.2);
    }
    painter.restore();
}

} // namespace zelpo
