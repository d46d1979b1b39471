#include "forms/TwipControl.h"

#include <algorithm>

#include <QWidget>

namespace zelpo {

void TwipControl::setTwipLeft(float left)
{
    m_rect.left = left;
    updatePixelGeometry();
}

void TwipControl::setTwipTop(float top)
{
    m_rect.top = top;
    updatePixelGeometry();
}

void TwipControl::setTwipRect(const TwipRect& rect)
{
    m_rect = rect;
    updatePixelGeometry();
}

QRect TwipControl::pixelGeometry() const
{
    const int left = twipsToPixels(m_rect.left);
    const int top = twipsToPixels(m_rect.top);
    // Width and height follow from the far edges, so that adjoining controls never leave gaps.
    const int right = twipsToPixels(m_rect.left + m_rect.width);
    const int bottom = twipsToPixels(m_rect.top + m_rect.height);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

void TwipControl::updatePixelGeometry()
{
    const QRect geometry = pixelGeometry();
    if (m_self->geometry() != geometry) {
        m_self->setGeometry(geometry);
    }
}

} // namespace zelpo
