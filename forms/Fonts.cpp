#include "forms/Fonts.h"

#include "look/LayoutFont.h"

#include <QApplication>

namespace zelpo {

void setApplicationFont()
{
    QApplication::setFont(makeFont(kEverydayFont));
}

} // namespace zelpo
