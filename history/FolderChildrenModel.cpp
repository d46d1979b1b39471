#include "history/FolderChildrenModel.h"

#include "history/ChildHistory.h"

namespace zelpo {

FolderChildrenModel::FolderChildrenModel(QObject* parent) : QAbstractTableModel(parent)
{}

void FolderChildrenModel::follow(const ChildHistory& history, QDate today)
{
    connect(&history, &ChildHistory::changed, this, [this, &history, today] {
        // A child without a patient file has no row; one held at another desk keeps its own.
        if (history.fileName().isEmpty() || !history.hasPatientFile()) {
            return;
        }
        const HistoryLookup shown{PatientFileFound::Found, std::nullopt, std::nullopt};
        FolderChildRow row = folderChildRow(history.fileName(), history, shown, today);
        // The chart reads the number as typed; the list, as the file's name writes it.
        row.child = childOfFile(row.fileName);
        const int reading = m_rowOfFile.contains(row.fileName)
                                ? m_readings[m_rowOfFile.value(row.fileName)]
                                : m_reading;
        take({row});
        m_readings[m_rowOfFile.value(row.fileName)] = reading;
    });
}

void FolderChildrenModel::beginReading()
{
    ++m_reading;
}

void FolderChildrenModel::take(const QList<FolderChildRow>& rows)
{
    QList<FolderChildRow> added;
    for (const FolderChildRow& row : rows) {
        const auto found = m_rowOfFile.constFind(row.fileName);
        if (found == m_rowOfFile.cend()) {
            added.append(row);
            continue;
        }
        m_rows[*found] = row;
        m_readings[*found] = m_reading;
        emit dataChanged(index(*found, 0), index(*found, columnCount() - 1));
    }
    if (added.isEmpty()) {
        return;
    }
    const int first = int(m_rows.size());
    beginInsertRows({}, first, first + int(added.size()) - 1);
    for (const FolderChildRow& row : std::as_const(added)) {
        m_rowOfFile.insert(row.fileName, int(m_rows.size()));
        m_rows.append(row);
        m_readings.append(m_reading);
    }
    endInsertRows();
}

void FolderChildrenModel::endReading()
{
    // Removed from the last row up, so that the rows still to look at keep their places.
    bool removed = false;
    for (int row = int(m_rows.size()) - 1; row >= 0; --row) {
        if (m_readings[row] == m_reading) {
            continue;
        }
        beginRemoveRows({}, row, row);
        m_rows.removeAt(row);
        m_readings.removeAt(row);
        endRemoveRows();
        removed = true;
    }
    if (removed) {
        m_rowOfFile.clear();
        for (int row = 0; row < m_rows.size(); ++row) {
            m_rowOfFile.insert(m_rows[row].fileName, row);
        }
    }
}

int FolderChildrenModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FolderChildrenModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(folderColumns.size());
}

QVariant FolderChildrenModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    const FolderChildRow& row = m_rows[index.row()];
    const FolderColumn column = folderColumns[index.column()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return folderCell(row, column, QStringLiteral("—"));
    case SortRole:
        return folderSortKey(row, column);
    case Qt::TextAlignmentRole: {
        const bool number = column == FolderColumn::History || column == FolderColumn::Grams ||
                            column == FolderColumn::Gain || column == FolderColumn::DaysUnweighed;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    default:
        return {};
    }
}

QVariant FolderChildrenModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnCount()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return folderColumnTitle(folderColumns[section]);
}

} // namespace zelpo
