#pragma once
// The file browser: a report list of the catalogue folder's products for one
// product code and channel, with a one-line summary of each header, in name
// (= time) order, newest last. A click on a column header sorts by that
// column, a second click reverses it. A double click opens the file through
// the hook the main frame gives it. The list follows the folder: a product
// that arrives (complete) shows within two seconds, the selected row and the
// scroll position kept.

#include <QTreeView>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/CCatalogue.h"
#include "browse/CProductSelector.h"
#include "dialogs/CFileListModel.h"
#include "dialogs/CFolderWatcher.h"

class CBrowserDlg : public QWidget {
    Q_OBJECT

public:
    // Opens one product file; false when the document could not open it.
    using OpenFileHook = std::function<bool(const std::string& path)>;

    explicit CBrowserDlg(QWidget* parent = nullptr);

    void SetOpenFileHook(OpenFileHook hook) { m_openFile = std::move(hook); }
    // The catalogue (with its cache of headers) the browser lists through;
    // the main frame gives the browser and the frame list the same one.
    void SetCatalogue(std::shared_ptr<CCatalogue> catalogue) {
        m_pCatalogue = std::move(catalogue);
    }

    // Replaces m_entries by the folder's files that carry code and belong to
    // m_nChannel, then refills the list, and watches the folder.
    void ListFiles(const std::string& folder, const std::string& code);
    // Appends the entry of one file when its headers match m_nChannel; true
    // when it was appended. The list is not refilled.
    bool AddFile(const std::string& path);
    // Shows the rows of m_entries, in the order the user sorted by.
    void RefreshList();
    // Lists the folder again, keeping the selected row, the current row and
    // the scroll position (the watcher's change).
    void OnFolderChanged();
    // Opens the file of the selected row; with no row selected nothing happens.
    void OnDblClkFileList();
    // Sorts the rows by a column as a click on its header does: ascending,
    // or reversed when it is the column already sorted by.
    void OnColumnClicked(int column);

    // The browser as the product commands see it.
    CatalogueListHooks Hooks();

    QTreeView& List() { return m_list; }
    const CFileListModel& Model() const { return m_model; }
    CFolderWatcher& Watcher() { return m_watcher; }

    int m_nProduct = 0;
    std::int16_t m_nChannel = 1;
    // The listing, in listing order; the rows show it through the model.
    std::vector<CatalogueRow> m_entries;

private:
    void ApplySort();
    // The entry paths of the selected rows.
    std::vector<std::string> SelectedPaths() const;
    void SelectPaths(const std::vector<std::string>& paths);
    QModelIndex IndexOfPath(const std::string& path) const;

    CFileListModel m_model;
    QTreeView m_list;
    OpenFileHook m_openFile;
    std::shared_ptr<CCatalogue> m_pCatalogue = std::make_shared<CCatalogue>();
    CFolderWatcher m_watcher;
    std::string m_strFolder;
    std::string m_strCode;
    // The column the user sorted by (-1: listing order) and its direction.
    int m_nSortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
