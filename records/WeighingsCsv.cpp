#include "records/WeighingsCsv.h"

#include "core/Conversions.h"

#include <algorithm>

#include <QStringList>

namespace zelpo {

namespace {

// A field holding the separator, a quotation mark or a line break is quoted, so that a
// spreadsheet reads it as one field.
QString field(QString text)
{
    const auto special = [](QChar c) { return c == u';' || c == u'"' || c == u'\n' || c == u'\r'; };
    if (std::none_of(text.cbegin(), text.cend(), special)) {
        return text;
    }
    const QString quote = QStringLiteral("\"");
    return quote + text.replace(quote, QStringLiteral("\"\"")) + quote;
}

QString line(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& text : fields) {
        quoted.append(field(text));
    }
    return quoted.join(u';') + QStringLiteral("\r\n");
}

} // namespace

QString struckOutText(const QString& reason)
{
    return reason.isEmpty() ? QString() : QStringLiteral("anulada: ") + reason;
}

QByteArray weighingsCsv(const QString& historyNumber, const StoredHistory& history)
{
    const QString sex =
        history.sex == ChartSex::Boys ? QStringLiteral("Varón") : QStringLiteral("Mujer");
    const QString birth = history.birthDate ? dateText(*history.birthDate) : QString();
    // A spreadsheet takes the file for UTF-8 only when it opens with the byte-order mark.
    QString text = QChar(QChar::ByteOrderMark) +
                   QStringLiteral("Historia;Sexo;Nacimiento;Fecha;Días;Meses;Gramos;Percentil;"
                                  "g/día;Estado\r\n");
    for (const StoredWeighing& weighing : history.weighings) {
        text +=
            line({historyNumber, sex, birth, weighing.date, QString::number(weighing.days, 'f', 0),
                  QString::number(weighing.months), QString::number(weighing.grams, 'f', 0),
                  weighing.band, weighing.gramsPerDay ? gainText(weighing.gramsPerDay) : QString(),
                  struckOutText(weighing.struckOut)});
    }
    return text.toUtf8();
}

} // namespace zelpo
