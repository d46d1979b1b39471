#pragma once

#include <QWidget>

// The black backdrop that covers the screen behind the chart window.
class Fondo : public QWidget
{
    Q_OBJECT

public:
    Fondo();
};
