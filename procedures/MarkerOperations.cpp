#include "procedures/MarkerOperations.h"

#include "forms/FormLabel.h"
#include "forms/PerZelpo.h"
#include "forms/TextBox.h"

namespace zelpo {

void LimpiarGrafico(PerZelpo& window)
{
    window.Text1()->clear();
    window.Label5()->setCaption(QString());
}

} // namespace zelpo
