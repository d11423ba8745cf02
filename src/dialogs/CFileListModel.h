#pragma once
// The file list's rows as a table model over the browser's entries: the
// texts of a row are made from its header when the view asks for them, so a
// listing of thousands of products creates nothing per row up front. Sorting
// reorders an index of the entries, stably from the order shown (as the
// list's column clicks always did); selections follow their rows.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "browse/CCatalogue.h"

struct FileListColumn {
    const char* title;
    int width;
};
constexpr FileListColumn kFileListColumns[] = {
    {"时间(UTC)", 160}, {"投影方式", 80}, {"中心经纬度", 100}, {"大小", 80}, {"文件路径", 200},
};
constexpr int kFileListColumnCount = static_cast<int>(std::size(kFileListColumns));
constexpr int kFileListSizeColumn = 3;
constexpr int kFileListPathColumn = 4;

class CFileListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // entries must outlive the model; rows added to it are shown at the
    // next Reload.
    explicit CFileListModel(const std::vector<CatalogueRow>& entries, QObject* parent = nullptr);

    // Shows every entry, in the entries' own order.
    void Reload();
    // Orders the rows shown by column, stably from their present order.
    void Sort(int column, Qt::SortOrder order);
    // The entry a row shows, or -1 outside the rows.
    int EntryOfRow(int row) const;
    // The row that shows an entry, or -1.
    int RowOfEntry(int entry) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text of one column for an entry, as the list shows it.
    QString Text(int entry, int column) const;

private:
    const std::vector<CatalogueRow>& m_entries;
    std::vector<int> m_order;  // row -> entry
};
