#include "dialogs/CFileListModel.h"

#include <algorithm>
#include <numeric>

#include "product/HeaderSummary.h"

namespace {

// Sizes compare by their pixel count ("800×600" before "1900×1300"), every
// other column by its text.
struct SortKey {
    qint64 pixels = 0;
    QString text;
};

}  // namespace

CFileListModel::CFileListModel(const std::vector<CatalogueRow>& entries, QObject* parent)
    : QAbstractTableModel(parent), m_entries(entries) {}

void CFileListModel::Reload() {
    beginResetModel();
    m_order.resize(m_entries.size());
    std::iota(m_order.begin(), m_order.end(), 0);
    endResetModel();
}

QString CFileListModel::Text(int entry, int column) const {
    const CatalogueRow& row = m_entries[static_cast<std::size_t>(entry)];
    const AwxSecondHeader& h = row.summary.second;
    switch (column) {
        case 0:
            return QString::fromStdString(SummaryDateTime(h));
        case 1:
            return QString::fromStdString(SummaryProjection(h));
        case 2:
            return QString::fromStdString(SummaryCentre(h));
        case kFileListSizeColumn:
            return QString::fromStdString(SummarySize(h));
        case kFileListPathColumn:
            return QString::fromStdString(row.path);
        default:
            return QString();
    }
}

void CFileListModel::Sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= kFileListColumnCount) {
        return;
    }
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<SortKey> keys(m_entries.size());
    for (const int entry : m_order) {
        SortKey& key = keys[static_cast<std::size_t>(entry)];
        key.text = Text(entry, column);
        if (column == kFileListSizeColumn) {
            const AwxSecondHeader& h = m_entries[static_cast<std::size_t>(entry)].summary.second;
            key.pixels = static_cast<qint64>(h.width) * h.height;
        }
    }
    const auto less = [&keys](int a, int b) {
        const SortKey& x = keys[static_cast<std::size_t>(a)];
        const SortKey& y = keys[static_cast<std::size_t>(b)];
        return x.pixels != y.pixels ? x.pixels < y.pixels : x.text < y.text;
    };
    const QModelIndexList before = persistentIndexList();
    std::vector<int> entriesBefore;
    for (const QModelIndex& index : before) {
        entriesBefore.push_back(EntryOfRow(index.row()));
    }
    if (order == Qt::AscendingOrder) {
        std::stable_sort(m_order.begin(), m_order.end(), less);
    } else {
        std::stable_sort(m_order.begin(), m_order.end(),
                         [&less](int a, int b) { return less(b, a); });
    }
    std::vector<int> rowOf(m_entries.size(), -1);
    for (std::size_t row = 0; row < m_order.size(); ++row) {
        rowOf[static_cast<std::size_t>(m_order[row])] = static_cast<int>(row);
    }
    QModelIndexList after;
    for (qsizetype i = 0; i < before.size(); ++i) {
        const int entry = entriesBefore[static_cast<std::size_t>(i)];
        after.append(entry < 0 ? QModelIndex()
                               : index(rowOf[static_cast<std::size_t>(entry)], before[i].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int CFileListModel::EntryOfRow(int row) const {
    return row >= 0 && row < rowCount() ? m_order[static_cast<std::size_t>(row)] : -1;
}

int CFileListModel::RowOfEntry(int entry) const {
    const auto found = std::find(m_order.begin(), m_order.end(), entry);
    return found == m_order.end() ? -1 : static_cast<int>(found - m_order.begin());
}

int CFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int CFileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFileListColumnCount;
}

QVariant CFileListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) {
        return QVariant();
    }
    return Text(EntryOfRow(index.row()), index.column());
}

QVariant CFileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kFileListColumnCount) {
        return QVariant();
    }
    return QString::fromUtf8(kFileListColumns[section].title);
}
