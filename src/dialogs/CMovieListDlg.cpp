#include "dialogs/CMovieListDlg.h"

#include <QScrollBar>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_set>

CMovieListDlg::CMovieListDlg(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&m_listBox);

    m_listBox.setObjectName(QString::number(kFrameListBoxId));
    m_listBox.setSelectionMode(QAbstractItemView::MultiSelection);
    m_listBox.setFrameStyle(QFrame::Box | QFrame::Plain);
    m_listBox.setUniformItemSizes(true);
    // The rows are inserted in path order already; letting the widget sort
    // by its own comparison could part row i from entry i.
    m_listBox.setSortingEnabled(false);
    connect(&m_watcher, &CFolderWatcher::Changed, this, [this] { OnFolderChanged(); });
}

void CMovieListDlg::ListFiles(const std::string& folder, const std::string& code) {
    CatalogueList listing = m_pCatalogue->List(FolderQuery(folder, code, m_nChannel));
    m_entries = MakeFrameEntries(listing.rows);
    m_strFolder = folder;
    m_strCode = code;
    RefreshList();
    m_watcher.Watch(folder, listing.incomplete);
}

void CMovieListDlg::OnFolderChanged() {
    std::vector<std::string> selected;
    for (const FrameEntry& entry : SelectedEntries()) {
        selected.push_back(entry.path);
    }
    std::unordered_set<std::string> before;
    for (const FrameEntry& entry : m_entries) {
        before.insert(entry.path);
    }
    const int scroll = m_listBox.verticalScrollBar()->value();

    ListFiles(m_strFolder, m_strCode);

    SelectPaths(selected);
    m_listBox.doItemsLayout();
    m_listBox.verticalScrollBar()->setValue(scroll);
    std::vector<FrameEntry> added;
    for (const FrameEntry& entry : m_entries) {
        if (!before.contains(entry.path)) {
            added.push_back(entry);
        }
    }
    if (!added.empty() && m_framesAdded) {
        m_framesAdded(added);
    }
}

std::string CMovieListDlg::ListingKey() const {
    return m_strFolder + '\n' + m_strCode + '\n' + std::to_string(m_nChannel);
}

void CMovieListDlg::SelectPaths(const std::vector<std::string>& paths) {
    const std::unordered_set<std::string> wanted(paths.begin(), paths.end());
    for (std::size_t row = 0; row < m_entries.size(); ++row) {
        if (wanted.contains(m_entries[row].path)) {
            m_listBox.item(static_cast<int>(row))->setSelected(true);
        }
    }
}

bool CMovieListDlg::AddFile(const std::string& path) {
    AwxSummary summary;
    if (!ReadMatchingSummary(path, m_nChannel, summary)) {
        return false;
    }
    m_entries.push_back(MakeFrameEntry(path, summary));
    return true;
}

void CMovieListDlg::RefreshList() {
    SortFrameEntries(m_entries);
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(m_entries.size()));
    for (const FrameEntry& entry : m_entries) {
        rows << QString::fromStdString(entry.path);
    }
    m_listBox.clear();
    m_listBox.addItems(rows);
}

std::vector<int> CMovieListDlg::SelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < m_listBox.count(); ++row) {
        if (m_listBox.item(row)->isSelected()) {
            rows.push_back(row);
        }
    }
    return rows;
}

std::vector<FrameEntry> CMovieListDlg::SelectedEntries() const {
    std::vector<FrameEntry> entries;
    for (const int row : SelectedRows()) {
        if (row < static_cast<int>(m_entries.size())) {
            entries.push_back(m_entries[static_cast<std::size_t>(row)]);
        }
    }
    return entries;
}

void CMovieListDlg::DeselectAll() {
    m_listBox.clearSelection();
}

void CMovieListDlg::SelectLatest(int count) {
    if (!m_strFolder.empty() && count > 0) {
        // Headers of a long channel are read newest first only until count
        // products are found; the rows' own order (by path) may differ from
        // the names' times, so the selection goes by path.
        const CatalogueList latest = m_pCatalogue->ListLatest(
            FolderQuery(m_strFolder, m_strCode, m_nChannel), static_cast<std::size_t>(count));
        std::vector<std::string> paths;
        for (const CatalogueRow& row : latest.rows) {
            paths.push_back(row.path);
        }
        SelectPaths(paths);
        return;
    }
    const int rows = m_listBox.count();
    const int first = rows - std::min(count, rows);
    for (int row = first; row < rows; ++row) {
        m_listBox.item(row)->setSelected(true);
    }
}

CatalogueListHooks CMovieListDlg::Hooks() {
    return {
        [this] { return m_nProduct; }, [this](int index) { m_nProduct = index; },
        [this](const std::string& folder, const std::string& code) { ListFiles(folder, code); }};
}
