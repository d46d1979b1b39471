#include "app/StartUp.h"

#include "core/Centring.h"
#include "forms/PerZelpo.h"
#include "forms/TwipControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

namespace zelpo {

QDir programFolder()
{
    return QDir(QCoreApplication::applicationDirPath());
}

void loadChartWindow(PerZelpo& window)
{
    centreChartWindow(window);
    makeProgramDirectoryCurrent();
}

void centreChartWindow(PerZelpo& window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect screenPixels = screen->geometry();
    const float screenHeight = static_cast<float>(screenPixels.height()) * kTwipsPerPixel;
    const float screenWidth = static_cast<float>(screenPixels.width()) * kTwipsPerPixel;
    const float top = centredPosition(screenHeight, window.outerTwipHeight());
    const float left = centredPosition(screenWidth, window.outerTwipWidth());
    window.setOuterTwipPosition(static_cast<float>(screenPixels.left()) * kTwipsPerPixel + left,
                                static_cast<float>(screenPixels.top()) * kTwipsPerPixel + top);
}

bool makeProgramDirectoryCurrent()
{
    // QDir::setCurrent changes the drive too where the platform has drives.
    return QDir::setCurrent(programFolder().path());
}

} // namespace zelpo
