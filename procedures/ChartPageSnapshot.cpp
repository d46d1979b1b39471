#include "procedures/ChartPageSnapshot.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"
#include "forms/FormLabel.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"
#include "history/ChildHistory.h"
#include "procedures/MarkerOperations.h"

namespace zelpo {

namespace {

QRectF twips(const TwipControl& control)
{
    const TwipRect rect = control.twipRect();
    return {rect.left, rect.top, rect.width, rect.height};
}

} // namespace

ChartPageContent chartPictureSnapshot(const PerZelpo& window)
{
    ChartPageContent content;
    content.chart = selectedChart(window);
    content.picture = twips(window.varonSelected() ? *window.Image4() : *window.Image3());
    content.frame = twips(*window.Shape2());
    content.frameColour = window.Shape2()->borderColour();
    content.frameBorderPixels = window.Shape2()->borderPixels();
    content.markerFill = window.sh(0)->fillColour();
    content.markerOutline = window.sh(0)->borderColour();
    content.markerBorderPixels = window.sh(0)->borderPixels();
    for (int index = 0; index < zelpo::markerCount; ++index) {
        if (!window.sh(index)->isHidden()) {
            content.markers.append(twips(*window.sh(index)));
        }
    }
    if (!window.Image2()->isHidden()) {
        content.arrow = twips(*window.Image2());
    }
    return content;
}

ChartPageContent chartPageSnapshot(const PerZelpo& window, const zelpo::ChildHistory& history,
                                   QDate today)
{
    ChartPageContent content = chartPictureSnapshot(window);
    content.headingFont = window.Label2()->font();
    content.headingBand = window.Label2()->palette().color(QPalette::Window);
    content.headingInk = window.Label2()->palette().color(QPalette::WindowText);
    content.textFont = window.Label1(2)->font();
    const QString historyNumber = history.key().historyNumber();
    content.historyNumber = historyNumber.isEmpty() ? QStringLiteral("sin número") : historyNumber;
    content.sex = window.varonSelected() ? QStringLiteral("Varón") : QStringLiteral("Mujer");
    content.printedOn = zelpo::dateText(today);

    std::optional<QDate> birthDate = zelpo::dateValue(window.Text2()->text());
    // Without a history number there is no file, and so no table.
    if (!historyNumber.isEmpty()) {
        const zelpo::StoredHistory& stored = history.stored();
        content.storedWeighings = stored.weighings;
        if (!birthDate) {
            birthDate = stored.birthDate;
        } else if (stored.birthDate && *stored.birthDate != *birthDate) {
            // The file keeps the birth date of its first store; a date corrected in the box
            // since then is the one the newest marker was placed with.
            content.storedBirthDate = zelpo::dateText(*stored.birthDate);
        }
    }
    content.birthDate = birthDate ? zelpo::dateText(*birthDate) : QString();
    // Which date is the file's and which the correction's is the history's to say, wherever the
    // correction was made: the box may still hold the date it was loaded with.
    if (const auto& correction = history.birthDateCorrection()) {
        content.correctedBirthDate = zelpo::dateText(correction->date);
        content.birthDateCorrectedOn = zelpo::dateText(correction->correctedOn);
        content.storedBirthDate = zelpo::dateText(history.fileBirthDate().value_or(QDate()));
    }
    return content;
}

} // namespace zelpo
