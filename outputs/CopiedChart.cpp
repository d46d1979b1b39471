#include "outputs/CopiedChart.h"

#include "outputs/OutputRunner.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace zelpo {

namespace {

// The copied chart is this many times the window's: sharp on paper at a usual size.
constexpr int kCopyScale = 3;

} // namespace

void copyChart(OutputRunner& outputs)
{
    if (outputs.typedHistoryLookedUp()) {
        return;
    }
    QImage image = chartImage(outputs.chartPicture(), kCopyScale);
    // The window is laid out at 96 dots to the inch. Tagged as dense as it is larger, the copy
    // pastes at the window's size, and stays sharp when enlarged or printed.
    constexpr double windowDotsPerMetre = 96 / 0.0254;
    image.setDotsPerMeterX(qRound(windowDotsPerMetre * kCopyScale));
    image.setDotsPerMeterY(qRound(windowDotsPerMetre * kCopyScale));
    QGuiApplication::clipboard()->setImage(image);
}

} // namespace zelpo
