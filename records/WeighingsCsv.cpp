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

} // namespace

QString spreadsheetLine(const QStringList& fields)
{
    QStringList quoted;
    quoted.reserve(fields.size());
    for (const QString& text : fields) {
        quoted.append(field(text));
    }
    return quoted.join(u';') + QStringLiteral("\r\n");
}

QByteArray weighingsCsv(const QString& historyNumber, const StoredHistory& history)
{
    const QString sex = sexName(history.sex);
    const QString birth = history.birthDate ? dateText(*history.birthDate) : QString();
    const QList<WeighingColumn> columns = weighingColumns(history);
    QStringList titles{QStringLiteral("Historia"), QStringLiteral("Sexo"),
                       QStringLiteral("Nacimiento")};
    for (WeighingColumn column : columns) {
        titles.append(weighingColumnTitle(column));
    }
    // A spreadsheet takes the file for UTF-8 only when it opens with the byte-order mark.
    QString text = QChar(QChar::ByteOrderMark) + spreadsheetLine(titles);
    for (const StoredWeighing& weighing : history.weighings) {
        QStringList fields{historyNumber, sex, birth};
        for (WeighingColumn column : columns) {
            fields.append(weighingCell(weighing, column, QString()));
        }
        text += spreadsheetLine(fields);
    }
    return text.toUtf8();
}

} // namespace zelpo
