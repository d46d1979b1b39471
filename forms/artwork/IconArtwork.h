#pragma once

#include <QIcon>
#include <QImage>

namespace zelpo {

// The window icon: two teddy bears holding picture frames, one light blue and one red.
QIcon zelpoIcon();

// The icon drawn on a transparent square `size` pixels wide, e.g. for a desktop entry's PNG.
QImage renderIconImage(int size);

} // namespace zelpo
