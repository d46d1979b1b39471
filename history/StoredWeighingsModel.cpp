#include "history/StoredWeighingsModel.h"

#include "history/ChildHistory.h"
#include "records/WeighingsCsv.h"

namespace zelpo {

StoredWeighingsModel::StoredWeighingsModel(const ChildHistory& history, QObject* parent)
    : QAbstractTableModel(parent), m_history(history)
{
    connect(&history, &ChildHistory::aboutToChange, this, [this] { beginResetModel(); });
    connect(&history, &ChildHistory::changed, this, [this] { endResetModel(); });
}

int StoredWeighingsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_history.stored().weighings.size());
}

int StoredWeighingsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant StoredWeighingsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const StoredWeighing& weighing = m_history.stored().weighings[index.row()];
    if (role == Qt::TextAlignmentRole) {
        const bool number =
            index.column() != Date && index.column() != Band && index.column() != State;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role == RecordRole) {
        return QVariant::fromValue(weighing.record);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    switch (index.column()) {
    case Number:
        return QString::number(weighing.record);
    case Date:
        return weighing.date;
    case Days:
        return QString::number(weighing.days, 'f', 0);
    case Months:
        return QString::number(weighing.months);
    case Grams:
        return QString::number(weighing.grams, 'f', 0);
    case Band:
        return bandText(weighing.band);
    case Gain:
        return gainText(weighing.gramsPerDay);
    case State:
        return struckOutText(weighing.struckOut);
    }
    return {};
}

int StoredWeighingsModel::rowOf(qsizetype record) const
{
    const StoredWeighing* weighing = m_history.weighingAt(record);
    return weighing ? int(weighing - m_history.stored().weighings.constData()) : -1;
}

QVariant StoredWeighingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    static const QStringList titles{QStringLiteral("N.º"),    QStringLiteral("Fecha"),
                                    QStringLiteral("Días"),   QStringLiteral("Meses"),
                                    QStringLiteral("Gramos"), QStringLiteral("Percentil"),
                                    QStringLiteral("g/día"),  QStringLiteral("Estado")};
    return titles.value(section);
}

} // namespace zelpo
