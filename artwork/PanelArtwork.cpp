#include "artwork/PanelArtwork.h"

#include "artwork/ArtworkFonts.h"
#include "artwork/TeddyArtwork.h"

#include <QPainter>
#include <QPainterPath>

namespace zelpo {

namespace {

// The panel's title, boxes and buttons are separate controls laid over this card.
const QRectF kCard(20, 125, 158, 235);
const QColor kCardGrey(222, 222, 222);

const QColor kLogoDeep(26, 79, 138);
const QColor kLogoBright(64, 146, 214);

// A round badge with a baby scale in it: a cradle pan on a pillar above a base with a dial.
void paintEmblem(QPainter& painter, QPointF centre, double radius)
{
    QRadialGradient disc(centre - QPointF(radius * 0.35, radius * 0.45), radius * 1.5);
    disc.setColorAt(0, kLogoBright.lighter(115));
    disc.setColorAt(1, kLogoDeep);
    painter.setPen(QPen(kLogoDeep.darker(130), 1.2));
    painter.setBrush(disc);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius - 3.5, radius - 3.5);

    painter.save();
    painter.translate(centre);
    painter.scale(radius / 30, radius / 30);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);

    QPainterPath pan(QPointF(-21, -16));
    pan.lineTo(21, -16);
    pan.cubicTo(20, -8, 12, -6, 0, -6);
    pan.cubicTo(-12, -6, -20, -8, -21, -16);
    painter.drawPath(pan);
    painter.drawRect(QRectF(-2.5, -7, 5, 6));
    painter.drawRoundedRect(QRectF(-16, -2, 32, 21), 5, 5);

    const QPointF dial(0, 8.5);
    painter.setBrush(kLogoDeep);
    painter.drawEllipse(dial, 7.5, 7.5);
    painter.setBrush(Qt::white);
    painter.drawEllipse(dial, 5.6, 5.6);
    painter.setPen(QPen(kLogoDeep, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(dial, dial + QPointF(2.8, -3.4));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kLogoDeep);
    painter.drawEllipse(dial, 1.3, 1.3);
    painter.restore();
}

void paintLogo(QPainter& painter)
{
    paintEmblem(painter, QPointF(95.5, 42), 31);

    const QString name = QStringLiteral("Zelpo");
    painter.setFont(artworkFont(26, QFont::Bold));
    QLinearGradient ink(QPointF(0, 78), QPointF(0, 104));
    ink.setColorAt(0, kLogoBright.darker(110));
    ink.setColorAt(1, kLogoDeep);
    painter.setPen(QPen(QBrush(ink), 1));
    painter.drawText(QRectF(0, 76, 191, 30), Qt::AlignCenter, name);
}

// A shadow that fades out over a few pixels below and to the right of the card.
void paintCardShadow(QPainter& painter)
{
    painter.setPen(Qt::NoPen);
    const QRectF shadow = kCard.translated(2.5, 3);
    for (int spread = 4; spread >= 0; --spread) {
        painter.setBrush(QColor(90, 90, 90, 14 + 6 * (4 - spread)));
        painter.drawRoundedRect(shadow.adjusted(-spread, -spread, spread, spread), spread + 1,
                                spread + 1);
    }
}

void paintCard(QPainter& painter)
{
    paintCardShadow(painter);
    painter.setPen(QPen(QColor(198, 198, 198), 1));
    painter.setBrush(kCardGrey);
    painter.drawRect(kCard.adjusted(0.5, 0.5, -0.5, -0.5));
}

} // namespace

void paintPanel(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRect(QPoint(0, 0), kPanelPictureSize), Qt::white);
    paintLogo(painter);
    paintCard(painter);
    paintTeddyWithFrame(painter, QRectF(48, 366, 40, 51), TeddyFrame::LightBlue);
    paintTeddyWithFrame(painter, QRectF(103, 366, 40, 51), TeddyFrame::Red);
    painter.restore();
}

} // namespace zelpo
