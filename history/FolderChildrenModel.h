#pragma once

#include "history/FolderChildRow.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>

namespace zelpo {

// The children of the program's folder as a table, one row per file read, in the columns of
// FolderColumn. Rows arrive in batches as the folder is read; a file read again replaces its
// row, and a reading of the whole folder done leaves out the files no longer there. The row of
// the child open in the chart window follows its history whenever that changes.
class FolderChildrenModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    // What a column sorts by: numbers as numbers, dates as dates.
    static constexpr int SortRole = Qt::UserRole;

    explicit FolderChildrenModel(QObject* parent = nullptr);

    // Keeps the row of the child `history` holds as it stands `today` whenever it changes.
    void follow(const ChildHistory& history, QDate today);

    // A reading of the whole folder begins; the rows it finds no file for go once it is done.
    void beginReading();
    void take(const QList<FolderChildRow>& rows);
    void endReading();

    const FolderChildRow& row(int row) const { return m_rows[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QList<FolderChildRow> m_rows;
    QList<int> m_readings; // the reading that last found each row's file
    QHash<QString, int> m_rowOfFile;
    int m_reading = 0;
};

} // namespace zelpo
