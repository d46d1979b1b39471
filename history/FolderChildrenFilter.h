#pragma once

#include <QSortFilterProxyModel>
#include <QString>

namespace zelpo {

// The list of the folder's children as shown: sorted by any column, numbers as numbers and dates
// as dates, and kept to the children whose history number starts with the digits typed, or to
// those whose latest weighing gives a signal to review.
class FolderChildrenFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit FolderChildrenFilter(QObject* parent = nullptr);

    // The digits a history number starts with, its leading zeros not counted ("4711" and
    // "0004711" both find 0004711); empty for every child.
    void setHistoryStart(const QString& typed);
    void setOnlyForReview(bool only);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_historyStart;
    bool m_onlyForReview = false;
};

} // namespace zelpo
