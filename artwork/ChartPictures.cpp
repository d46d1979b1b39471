#include "artwork/ChartPictures.h"

#include "artwork/ChartArtwork.h"
#include "artwork/DrawnArtwork.h"

#include <algorithm>
#include <vector>

namespace zelpo {

namespace {

struct KeptChart
{
    ChartSex sex;
    ChartSpans spans;
    QSize logicalSize;
    QImage drawing;
};

} // namespace

QImage chartPicture(ChartSex sex, const ChartSpans& spans, QSize logicalSize, qreal pixelRatio)
{
    // A handful at most: two sexes for each view.
    static std::vector<KeptChart> kept;
    auto chart = std::find_if(kept.begin(), kept.end(), [&](const KeptChart& candidate) {
        return candidate.sex == sex && candidate.spans == spans;
    });
    if (chart == kept.end())
        chart = kept.insert(kept.end(), KeptChart{sex, spans, {}, {}});
    QImage& drawing = chart->drawing;
    if (drawing.isNull() || chart->logicalSize != logicalSize ||
        drawing.devicePixelRatio() != pixelRatio) {
        chart->logicalSize = logicalSize;
        drawing = drawArtwork(logicalSize, pixelRatio, true,
                              [&](QPainter& painter) { paintChart(painter, sex, spans); });
    }
    return drawing;
}

} // namespace zelpo
