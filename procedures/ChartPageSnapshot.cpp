#include "procedures/ChartPageSnapshot.h"

#include "core/ChartScale.h"
#include "core/Conversions.h"
#include "forms/FormLabel.h"
#include "forms/OptionButton.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"
#include "procedures/WaitCursor.h"
#include "records/PatientFile.h"

#include <QDir>

namespace {

QRectF twips(const TwipControl& control)
{
    const TwipRect rect = control.twipRect();
    return {rect.left, rect.top, rect.width, rect.height};
}

} // namespace

QString namedPatientFile(const PerZelpo& window)
{
    const QString historyText = window.Text3()->text();
    if (!zelpo::namesAChild(historyText)) {
        return QString();
    }
    const zelpo::Result<QString> name =
        zelpo::NombreArchivo(historyText, window.Option1(0)->isChecked());
    return name.ok() ? name.value() : QString();
}

ChartPageContent chartPageSnapshot(const PerZelpo& window, QDate today)
{
    ChartPageContent content;
    content.headingFont = window.Label2()->font();
    content.headingBand = window.Label2()->palette().color(QPalette::Window);
    content.headingInk = window.Label2()->palette().color(QPalette::WindowText);
    content.textFont = window.Label1(2)->font();
    const QString fileName = namedPatientFile(window);
    // The number as the file's name writes it: seven characters before the sex letter.
    content.historyNumber = fileName.isEmpty() ? QStringLiteral("sin número") : fileName.left(7);
    const bool varon = window.Option1(0)->isChecked();
    content.sex = varon ? QStringLiteral("Varón") : QStringLiteral("Mujer");
    content.chart = varon ? zelpo::ChartSex::Boys : zelpo::ChartSex::Girls;
    content.picture = twips(varon ? *window.Image4() : *window.Image3());
    content.printedOn = zelpo::dateText(today);

    content.frame = twips(*window.Shape2());
    content.frameColour = window.Shape2()->borderColour();
    content.markerFill = window.sh(0)->fillColour();
    content.markerOutline = window.sh(0)->borderColour();
    for (int index = 0; index < zelpo::markerCount; ++index) {
        if (!window.sh(index)->isHidden()) {
            content.markers.append(twips(*window.sh(index)));
        }
    }
    if (!window.Image2()->isHidden()) {
        content.arrow = twips(*window.Image2());
    }

    std::optional<QDate> birthDate = zelpo::dateValue(window.Text2()->text());
    // A file that cannot be read, or none, gives no records and so no table.
    if (!fileName.isEmpty()) {
        const zelpo::StoredHistory stored = zelpo::storedHistory(
            zelpo::readPatientRecords(fileName, QDir::current(), WaitCursor().whileWaiting())
                .records);
        content.storedWeighings = stored.weighings;
        if (!birthDate) {
            birthDate = stored.birthDate;
        }
    }
    content.birthDate = birthDate ? zelpo::dateText(*birthDate) : QString();
    return content;
}
