#include "procedures/ChartPageSnapshot.h"

#include "core/Conversions.h"
#include "forms/FormLabel.h"
#include "forms/MarkerLayer.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "history/ChartMarkers.h"
#include "history/ChildHistory.h"
#include "procedures/MarkerOperations.h"

namespace zelpo {

namespace {

QRectF twips(const TwipRect& rect)
{
    return {rect.left, rect.top, rect.width, rect.height};
}

} // namespace

ChartPageContent chartPictureSnapshot(const PerZelpo& window, const ChildHistory& history)
{
    ChartPageContent content;
    content.chart = history.key().chart();
    const Picture* picture = content.chart == ChartSex::Boys ? window.Image4() : window.Image3();
    content.picture = twips(picture->twipRect());
    content.frame = twips(window.Shape2()->twipRect());
    content.frameColour = window.Shape2()->borderColour();
    content.frameBorderPixels = window.Shape2()->borderPixels();
    content.markerFill = window.sh(0)->fillColour();
    content.markerOutline = window.sh(0)->borderColour();
    content.markerBorderPixels = window.sh(0)->borderPixels();
    const ChartMarkers placed = placeMarkers(history, chartGeometry(window));
    for (const ShownWeighing& weighing : placed.weighings) {
        content.markers.append(twips(weighing.box));
        if (weighing.fromBirth) {
            content.birthAgeMarks.append({twips(*weighing.fromBirth), twips(weighing.box)});
        }
    }
    if (placed.arrow) {
        content.arrow = twips(*placed.arrow);
    }
    return content;
}

ChartPageContent chartPageSnapshot(const PerZelpo& window, const ChildHistory& history, QDate today)
{
    ChartPageContent content = chartPictureSnapshot(window, history);
    content.headingFont = window.Label2()->font();
    content.headingBand = window.Label2()->palette().color(QPalette::Window);
    content.headingInk = window.Label2()->palette().color(QPalette::WindowText);
    content.textFont = window.Label1(2)->font();
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
        // The file keeps the birth date of its first store; a date typed in the box since then is
        // the one the newest marker was placed from.
        if (stored.birthDate && birthDate && *stored.birthDate != *birthDate) {
            content.storedBirthDate = dateText(*stored.birthDate);
        }
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
