#include "core/HelpText.h"

#include <QStringView>

namespace zelpo {

QString helpText()
{
    // The blanks that end lines 5 to 7 belong to the text.
    static constexpr QStringView lines[] = {
        u"Este programa está diseñado para calcular y alma-",
        u"cenar las tomas de zelpo del paciente hasta los seis",
        u"años de edad.",
        u"",
        u"Si Ud. lo desea, colocando un número de historia ",
        u"clínica, el programa almacenará la medida tomada ",
        u"y las mostrará cuando ud ingrese nuevamente este ",
        u"número.",
        u"",
        u"Es importante colocar correctamente la fecha de",
        u"nacimiento del paciente a fin de que el cálculo",
        u"se realice correctamente.",
    };
    QString text;
    for (const QStringView line : lines) {
        text += line;
        text += QChar::CarriageReturn;
    }
    return text;
}

} // namespace zelpo
