#include "procedures/MarkerOperations.h"

#include "forms/FormLabel.h"
#include "forms/MarkerLayer.h"
#include "forms/PerZelpo.h"
#include "forms/Picture.h"
#include "forms/Shape.h"
#include "forms/TextBox.h"

namespace zelpo {

ChartGeometry chartGeometry(const PerZelpo& window)
{
    const Marker* marker = window.sh(0);
    const Picture* arrow = window.Image2();
    return {window.Shape2()->twipRect(), marker->twipWidth(), marker->twipHeight(),
            arrow->twipWidth(), arrow->twipHeight()};
}

void LimpiarGrafico(PerZelpo& window)
{
    window.Text1()->clear();
    window.Label5()->setCaption(QString());
}

} // namespace zelpo
