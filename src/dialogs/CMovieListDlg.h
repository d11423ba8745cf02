#pragma once
// The animation frame list: the catalogue folder's products of one product
// code and channel, one path per row in ascending path order. A click
// toggles a row's selection; the selected rows become the animation. The
// list follows the folder as the file list does, its selection kept.

#include <QListWidget>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browse/CCatalogue.h"
#include "browse/CProductSelector.h"
#include "browse/CatalogueListing.h"
#include "dialogs/CFolderWatcher.h"

// The list box's id, kept as its object name.
constexpr int kFrameListBoxId = 1028;

class CMovieListDlg : public QWidget {
    Q_OBJECT

public:
    // Told the entries a change of the folder added, in row order.
    using FramesAddedHook = std::function<void(const std::vector<FrameEntry>& added)>;

    explicit CMovieListDlg(QWidget* parent = nullptr);

    // The catalogue (with its cache of headers) the list is filled through.
    void SetCatalogue(std::shared_ptr<CCatalogue> catalogue) {
        m_pCatalogue = std::move(catalogue);
    }
    void SetFramesAddedHook(FramesAddedHook hook) { m_framesAdded = std::move(hook); }

    // Replaces m_entries by the folder's files that carry code and belong to
    // m_nChannel, then refills the list, and watches the folder.
    void ListFiles(const std::string& folder, const std::string& code);
    // Lists the folder again, keeping the selected rows and the scroll
    // position, and tells the hook the entries that came (the watcher's change).
    void OnFolderChanged();
    // Appends the entry of one file when its headers match m_nChannel; true
    // when it was appended. The list is not refilled.
    bool AddFile(const std::string& path);
    // Puts m_entries in path order and rebuilds the rows from them, so row i
    // always shows entry i. Every row ends deselected.
    void RefreshList();

    // The selected rows, in row order.
    std::vector<int> SelectedRows() const;
    // The entries of the selected rows, in row order.
    std::vector<FrameEntry> SelectedEntries() const;
    void DeselectAll();
    // Selects the rows of the newest count products of the listing, found
    // newest first through the catalogue; the last min(count, rows) rows
    // when the rows came from no folder.
    void SelectLatest(int count);

    // The frame list as the product commands see it.
    CatalogueListHooks Hooks();

    QListWidget& ListBox() { return m_listBox; }
    CFolderWatcher& Watcher() { return m_watcher; }
    // What the rows were listed from: folder, code and channel, one text.
    std::string ListingKey() const;

    int m_nProduct = 0;
    std::int16_t m_nChannel = 1;
    std::vector<FrameEntry> m_entries;

private:
    void SelectPaths(const std::vector<std::string>& paths);

    QListWidget m_listBox;
    std::shared_ptr<CCatalogue> m_pCatalogue = std::make_shared<CCatalogue>();
    CFolderWatcher m_watcher;
    FramesAddedHook m_framesAdded;
    std::string m_strFolder;
    std::string m_strCode;
};
