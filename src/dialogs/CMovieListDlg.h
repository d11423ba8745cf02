#pragma once
// The animation frame list: the catalogue folder's products of one product
// code and channel, one path per row in ascending path order. A click
// toggles a row's selection; the selected rows become the animation.

#include <QListWidget>
#include <QWidget>
#include <cstdint>
#include <string>
#include <vector>

#include "browse/CProductSelector.h"
#include "browse/CatalogueListing.h"

// The list box's id, kept as its object name.
constexpr int kFrameListBoxId = 1028;

class CMovieListDlg : public QWidget {
    Q_OBJECT

public:
    explicit CMovieListDlg(QWidget* parent = nullptr);

    // Replaces m_entries by the folder's files that carry code and belong to
    // m_nChannel, then refills the list.
    void ListFiles(const std::string& folder, const std::string& code);
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
    // Selects the last min(count, rows) rows.
    void SelectLast(int count);

    // The frame list as the product commands see it.
    CatalogueListHooks Hooks();

    QListWidget& ListBox() { return m_listBox; }

    int m_nProduct = 0;
    std::int16_t m_nChannel = 1;
    std::vector<FrameEntry> m_entries;

private:
    QListWidget m_listBox;
};
