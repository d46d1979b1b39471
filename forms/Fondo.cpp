#include "forms/Fondo.h"

Fondo::Fondo() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("fondo"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    // Its rectangle when it is not filling the screen.
    setGeometry(73, 231, 491, 388);
}
