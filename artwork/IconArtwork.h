#pragma once

#include <memory>

#include <QIcon>
#include <QImage>

namespace zelpo {

// The window icon: two teddy bears holding picture frames, one light blue and one red. It offers
// window systems the sizes from 16 to 256 pixels and draws whatever size it is asked for when
// it is asked, crisp at any size and pixel density, keeping none: a window hands its icon to the
// window system once, when it is made. Every mode and state looks the same.
QIcon zelpoIcon();

// The icon drawn on a transparent square `size` pixels wide, e.g. for a desktop entry's PNG.
QImage renderIconImage(int size);

// While it lives, the sizes the icon offers are drawn on a thread of their own at the given pixel
// ratio, as windows ask for them on screens of that density, for the icons zelpoIcon() makes to
// use instead of drawing them, e.g. for the windows made while the program starts. Painters read
// the application's font, so it starts once the application object exists. At most one lives at
// a time.
class IconDrawnAhead
{
public:
    explicit IconDrawnAhead(qreal pixelRatio);
    ~IconDrawnAhead();

    IconDrawnAhead(const IconDrawnAhead&) = delete;
    IconDrawnAhead& operator=(const IconDrawnAhead&) = delete;

    // The size `side` device pixels wide drawn ahead, waiting for it, when one lives that drew
    // it; a null image otherwise. The image is in the form a window hands to the window system.
    static QImage find(int side);

    class Drawing;

private:
    std::unique_ptr<Drawing> m_drawing;
};

} // namespace zelpo
