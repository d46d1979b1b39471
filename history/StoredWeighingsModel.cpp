#include "history/StoredWeighingsModel.h"

#include "history/ChildHistory.h"

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
    return parent.isValid() ? 0 : int(weighingColumns(m_history.stored()).size()) + 1;
}

std::optional<WeighingColumn> StoredWeighingsModel::columnAt(int section) const
{
    const QList<WeighingColumn> columns = weighingColumns(m_history.stored());
    return section >= 1 && section <= columns.size() ? std::optional(columns[section - 1])
                                                     : std::nullopt;
}

QVariant StoredWeighingsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const StoredWeighing& weighing = m_history.stored().weighings[index.row()];
    const std::optional<WeighingColumn> column = columnAt(index.column());
    if (role == Qt::TextAlignmentRole) {
        const bool text = column == WeighingColumn::Date || column == WeighingColumn::Band ||
                          column == WeighingColumn::State || column == WeighingColumn::Review;
        return QVariant::fromValue(Qt::AlignVCenter | (text ? Qt::AlignLeft : Qt::AlignRight));
    }
    if (role == RecordRole) {
        return QVariant::fromValue(weighing.record);
    }
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) {
        return {};
    }
    return column ? weighingCell(weighing, *column, bandText(QString()))
                  : QString::number(weighing.record);
}

const StoredWeighing* StoredWeighingsModel::weighingAt(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < rowCount()
               ? &m_history.stored().weighings[index.row()]
               : nullptr;
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
    if (section < 0 || section >= columnCount()) {
        return {};
    }
    const std::optional<WeighingColumn> column = columnAt(section);
    return column ? weighingColumnTitle(*column) : QStringLiteral("N.º");
}

} // namespace zelpo
