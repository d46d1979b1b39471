#pragma once

#include "records/StoredWeighings.h"

#include <optional>

#include <QAbstractTableModel>

namespace zelpo {

class ChildHistory;

// The open child's stored weighings as a table, one row per weighing in the patient file's
// order: N.º, Fecha, Días, Meses, Gramos, Percentil, g/día and Estado, with the corrected age's
// days and months after the age from birth for a baby born early. It follows the history,
// reset within the two signals that tell of a change: a store, a strike-out or another child
// shows at once. A row keeps its weighing's record under RecordRole, by which a view finds it again
// after the reset.
class StoredWeighingsModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int RecordRole = Qt::UserRole;

    explicit StoredWeighingsModel(const ChildHistory& history, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // The weighing a row shows, as the history holds it until its next change; none for an
    // index of no row.
    const StoredWeighing* weighingAt(const QModelIndex& index) const;
    // The row of the weighing filed as `record`; -1 when no row holds it.
    int rowOf(qsizetype record) const;

private:
    // The weighing's column shown in `section`; none for the first, N.º, its record's number.
    std::optional<WeighingColumn> columnAt(int section) const;

    const ChildHistory& m_history;
};

} // namespace zelpo
