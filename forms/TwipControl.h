#pragma once

#include "core/Twips.h"

#include <QRect>

class QWidget;

namespace zelpo {

// Mixin for the chart window's controls: the rectangle is held in twips, single precision,
// exactly as last set, and the widget's pixel geometry is derived from it.
class TwipControl
{
public:
    float twipLeft() const { return m_rect.left; }
    float twipTop() const { return m_rect.top; }
    float twipWidth() const { return m_rect.width; }
    float twipHeight() const { return m_rect.height; }
    TwipRect twipRect() const { return m_rect; }

    void setTwipLeft(float left);
    void setTwipTop(float top);
    void setTwipRect(const TwipRect& rect);

protected:
    explicit TwipControl(QWidget* self) : m_self(self) {}
    ~TwipControl() = default;

    // The pixel rectangle the widget takes; controls that grow to fit their text override it.
    virtual QRect pixelGeometry() const;
    void updatePixelGeometry();

private:
    QWidget* m_self;
    TwipRect m_rect;
};

} // namespace zelpo
