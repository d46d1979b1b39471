#include "app/StartUp.h"

#include "core/Centring.h"
#include "forms/ChartWindowLayout.h"
#include "forms/PerZelpo.h"
#include "forms/TwipControl.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

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

std::vector<std::unique_ptr<zelpo::ChartDrawnAhead>> drawOpeningChartsAhead()
{
    std::vector<std::unique_ptr<zelpo::ChartDrawnAhead>> charts;
    // The chart window is centred on the primary screen, so that is the screen it opens on.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return charts;
    }
    for (const ControlSpec& declared : chartWindowControls()) {
        if (declared.kind != ControlKind::Picture || !declared.visible) {
            continue;
        }
        if (declared.picture == PictureArt::BoysChart ||
            declared.picture == PictureArt::GirlsChart) {
            const auto sex = declared.picture == PictureArt::BoysChart ? zelpo::ChartSex::Boys
                                                                       : zelpo::ChartSex::Girls;
            charts.push_back(
                std::make_unique<zelpo::ChartDrawnAhead>(sex, screen->devicePixelRatio()));
        }
    }
    return charts;
}

void keepFreedMemoryReusable()
{
#ifdef __GLIBC__
    // Left to itself, the C library raises the size from which blocks get pages of their own to
    // that of every such block freed, so that later pictures and their copies for the window
    // system stay in the heap once freed; a fixed size gives them back as they go.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    // One pool for all threads: what a drawing thread frees serves the window's later needs.
    mallopt(M_ARENA_MAX, 1);
#endif
}

void returnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
