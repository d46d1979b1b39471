#include "procedures/ChartPageSnapshot.h"

#include "core/Conversions.h"
#include "history/ChartMarkers.h"
#include "history/ChildHistory.h"
#include "look/ChartLook.h"
#include "procedures/ChartView.h"

namespace zelpo {

namespace {

QRectF twips(const TwipRect& rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

} // namespace

ChartPageContent chartPictureSnapshot(const ChartLook& look, const ChildHistory& history,
                                      ChartSpans spans)
{
    ChartPageContent content;
    content.chart = history.key().chart();
    content.spans = spans;
    content.viewName = chartViewName(spans);
    content.picture = twips(look.chartPicture(content.chart));
    content.frame = twips(look.frame);
    content.frameColour = look.frameColour;
    content.frameBorderPixels = look.frameBorderPixels;
    content.markerFill = look.markerFill;
    content.markerOutline = look.markerOutline;
    content.markerBorderPixels = look.markerBorderPixels;
    ChartGeometry geometry = chartGeometry(look);
    geometry.spans = spans;
    const ChartMarkers placed = placeMarkers(history, geometry);
    for (const ShownWeighing& weighing : placed.weighings) {
        content.markers.append(twips(weighing.box));
        if (weighing.fromBirth) {
            content.birthAgeMarks.append({twips(*weighing.fromBirth), twips(weighing.box)});
        }
        if (weighing.reviewRing) {
            content.reviewRings.append(twips(*weighing.reviewRing));
        }
    }
    if (placed.arrow) {
        content.arrow = twips(*placed.arrow);
    }
    return content;
}

ChartPageContent chartPageSnapshot(const ChartLook& look, const ChildHistory& history, QDate today,
                                   ChartSpans spans)
{
    ChartPageContent content = chartPictureSnapshot(look, history, spans);
    content.headingFont = look.headingFont;
    content.headingBand = look.headingBand;
    content.headingInk = look.headingInk;
    content.textFont = look.textFont;
    const QString historyNumber = history.key().historyNumber();
    content.historyNumber = historyNumber.isEmpty() ? QStringLiteral("sin número") : historyNumber;
    content.sex = sexName(content.chart);
    content.printedOn = dateText(today);

    const std::optional<QDate> birthDate = history.birthDate();
    // Without a history number there is no file, and so no table.
    if (!historyNumber.isEmpty()) {
        const StoredHistory& stored = history.stored();
        content.storedWeighings = stored.weighings;
        content.tableColumns = weighingColumns(stored);
    }
    content.birthDate = birthDate ? dateText(*birthDate) : QString();
    if (const std::optional<GestationalAge>& gestation = history.stored().gestation;
        gestation && gestation->bornEarly()) {
        content.gestation = gestation;
    }
    // Which date is the file's and which the correction's is the history's to say, wherever the
    // correction was made.
    if (const auto& correction = history.birthDateCorrection()) {
        content.correctedBirthDate = dateText(correction->date);
        content.birthDateCorrectedOn = dateText(correction->correctedOn);
        content.storedBirthDate = dateText(history.fileBirthDate().value_or(QDate()));
    }
    return content;
}

} // namespace zelpo
