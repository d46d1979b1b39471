#include "procedures/MarkerOperations.h"

#include "core/ChartScale.h"
#include "forms/FormLabel.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"

namespace zelpo {

int PrimerMarcadorLibre(const PerZelpo& window)
{
    return zelpo::firstFreeMarker([&window](int index) { return !window.sh(index)->isHidden(); });
}

bool UbicarMarcador(PerZelpo& window, int index, double ageDays, double weightGrams)
{
    if (index < 0 || index >= zelpo::markerCount) {
        return false;
    }
    const Shape* frame = window.Shape2();
    Shape* marker = window.sh(index);
    const zelpo::MarkerPosition position = zelpo::markerPlacement(
        frame->twipRect(), marker->twipWidth(), marker->twipHeight(), ageDays, weightGrams);
    marker->setTwipLeft(position.left);
    marker->setTwipTop(position.top);
    marker->show();
    return true;
}

void MarcarUltimoPunto(PerZelpo& window, int index)
{
    const Shape* marker = window.sh(index);
    Picture* arrow = window.Image2();
    arrow->show();
    arrow->setTwipTop(marker->twipTop());
    arrow->setTwipLeft(marker->twipLeft());
}

zelpo::ChartSex selectedChart(const PerZelpo& window)
{
    return window.varonSelected() ? zelpo::ChartSex::Boys : zelpo::ChartSex::Girls;
}

void LimpiarGrafico(PerZelpo& window)
{
    for (int index = 0; index < zelpo::markerPoolSize; ++index) {
        Shape* marker = window.sh(index);
        if (!marker->isHidden()) {
            marker->hide();
        }
    }
    window.Image2()->hide();
    window.Text1()->clear();
    window.Label5()->setCaption(QString());
}

} // namespace zelpo
