#pragma once
// The file browser: a report list of the catalogue folder's products for one
// product code and channel, with a one-line summary of each header, in name
// (= time) order, newest last. A click on a column header sorts by that
// column, a second click reverses it. A double click opens the file through
// the hook the main frame gives it.

#include <QTreeWidget>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "browse/CProductSelector.h"
#include "browse/CatalogueListing.h"

class CBrowserDlg : public QWidget {
    Q_OBJECT

public:
    // Opens one product file; false when the document could not open it.
    using OpenFileHook = std::function<bool(const std::string& path)>;

    explicit CBrowserDlg(QWidget* parent = nullptr);

    void SetOpenFileHook(OpenFileHook hook) { m_openFile = std::move(hook); }

    // Replaces m_entries by the folder's files that carry code and belong to
    // m_nChannel, then refills the list.
    void ListFiles(const std::string& folder, const std::string& code);
    // Appends the entry of one file when its headers match m_nChannel; true
    // when it was appended. The list is not refilled.
    bool AddFile(const std::string& path);
    // Rebuilds the list's rows from m_entries.
    void RefreshList();
    // Opens the file of the selected row; with no row selected nothing happens.
    void OnDblClkFileList();
    // Sorts the rows by a column as a click on its header does: ascending,
    // or reversed when it is the column already sorted by.
    void OnColumnClicked(int column);

    // The browser as the product commands see it.
    CatalogueListHooks Hooks();

    QTreeWidget& List() { return m_list; }

    int m_nProduct = 0;
    std::int16_t m_nChannel = 1;
    std::vector<FileEntry> m_entries;

private:
    void ApplySort();

    QTreeWidget m_list;
    OpenFileHook m_openFile;
    // The column the user sorted by (-1: listing order) and its direction.
    int m_nSortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
