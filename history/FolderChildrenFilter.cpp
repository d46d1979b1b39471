#include "history/FolderChildrenFilter.h"

#include "history/FolderChildrenModel.h"

namespace zelpo {

namespace {

QStringView withoutLeadingZeros(QStringView number)
{
    while (number.startsWith(u'0')) {
        number = number.sliced(1);
    }
    return number;
}

} // namespace

FolderChildrenFilter::FolderChildrenFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(FolderChildrenModel::SortRole);
    setSortLocaleAware(true);
    setDynamicSortFilter(true);
}

void FolderChildrenFilter::setHistoryStart(const QString& typed)
{
    m_historyStart = withoutLeadingZeros(typed.trimmed()).toString();
    invalidateFilter();
}

void FolderChildrenFilter::setOnlyForReview(bool only)
{
    m_onlyForReview = only;
    invalidateFilter();
}

bool FolderChildrenFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* children = static_cast<const FolderChildrenModel*>(sourceModel());
    const FolderChildRow& row = children->row(sourceRow);
    if (m_onlyForReview && row.review.isEmpty()) {
        return false;
    }
    return m_historyStart.isEmpty() ||
           withoutLeadingZeros(row.historyNumber).startsWith(m_historyStart);
}

} // namespace zelpo
