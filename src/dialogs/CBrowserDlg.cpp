#include "dialogs/CBrowserDlg.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "platform/Message.h"

namespace {

constexpr char kOpenFailedText[] = "打开文件数据失败！";

}  // namespace

CBrowserDlg::CBrowserDlg(QWidget* parent) : QWidget(parent), m_model(m_entries) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&m_list);

    m_list.setModel(&m_model);
    m_list.setRootIsDecorated(false);
    m_list.setUniformRowHeights(true);
    m_list.setItemsExpandable(false);
    m_list.setSelectionMode(QAbstractItemView::SingleSelection);
    m_list.setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list.setAllColumnsShowFocus(true);
    m_list.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_list.header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list.header()->setStretchLastSection(false);
    for (int i = 0; i < kFileListColumnCount; ++i) {
        m_list.setColumnWidth(i, kFileListColumns[i].width);
    }
    m_list.header()->setSectionsClickable(true);
    m_list.header()->setSortIndicatorShown(false);
    connect(m_list.header(), &QHeaderView::sectionClicked, this,
            [this](int column) { OnColumnClicked(column); });
    connect(&m_list, &QTreeView::doubleClicked, this, [this] { OnDblClkFileList(); });
    connect(&m_watcher, &CFolderWatcher::Changed, this, [this] { OnFolderChanged(); });
}

void CBrowserDlg::ListFiles(const std::string& folder, const std::string& code) {
    CatalogueList listing = m_pCatalogue->List(FolderQuery(folder, code, m_nChannel));
    m_entries = std::move(listing.rows);
    m_strFolder = folder;
    m_strCode = code;
    RefreshList();
    m_watcher.Watch(folder, listing.incomplete);
}

bool CBrowserDlg::AddFile(const std::string& path) {
    AwxSummary summary;
    if (!ReadMatchingSummary(path, m_nChannel, summary)) {
        return false;
    }
    m_entries.push_back(CatalogueRow{path, summary});
    return true;
}

void CBrowserDlg::RefreshList() {
    m_model.Reload();
    ApplySort();
}

void CBrowserDlg::OnFolderChanged() {
    const std::vector<std::string> selected = SelectedPaths();
    const int currentEntry = m_model.EntryOfRow(m_list.currentIndex().row());
    const std::string currentPath =
        currentEntry >= 0 ? m_entries[static_cast<std::size_t>(currentEntry)].path : std::string();
    const int vertical = m_list.verticalScrollBar()->value();
    const int horizontal = m_list.horizontalScrollBar()->value();

    ListFiles(m_strFolder, m_strCode);

    if (const QModelIndex index = IndexOfPath(currentPath); index.isValid()) {
        m_list.selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
    SelectPaths(selected);
    // The rows are laid out now, so the scroll bars take their old values
    // within the new ranges.
    m_list.doItemsLayout();
    m_list.verticalScrollBar()->setValue(vertical);
    m_list.horizontalScrollBar()->setValue(horizontal);
}

std::vector<std::string> CBrowserDlg::SelectedPaths() const {
    std::vector<std::string> paths;
    for (const QModelIndex& index : m_list.selectionModel()->selectedRows()) {
        const int entry = m_model.EntryOfRow(index.row());
        if (entry >= 0) {
            paths.push_back(m_entries[static_cast<std::size_t>(entry)].path);
        }
    }
    return paths;
}

QModelIndex CBrowserDlg::IndexOfPath(const std::string& path) const {
    if (path.empty()) {
        return QModelIndex();
    }
    for (std::size_t entry = 0; entry < m_entries.size(); ++entry) {
        if (m_entries[entry].path == path) {
            return m_model.index(m_model.RowOfEntry(static_cast<int>(entry)), 0);
        }
    }
    return QModelIndex();
}

void CBrowserDlg::SelectPaths(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if (const QModelIndex index = IndexOfPath(path); index.isValid()) {
            m_list.selectionModel()->select(
                index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }
}

void CBrowserDlg::OnColumnClicked(int column) {
    if (column == m_nSortColumn) {
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    } else {
        m_nSortColumn = column;
        m_sortOrder = Qt::AscendingOrder;
    }
    ApplySort();
}

// A new listing keeps the order the user chose.
void CBrowserDlg::ApplySort() {
    if (m_nSortColumn < 0) {
        return;
    }
    m_model.Sort(m_nSortColumn, m_sortOrder);
    m_list.header()->setSortIndicatorShown(true);
    m_list.header()->setSortIndicator(m_nSortColumn, m_sortOrder);
}

void CBrowserDlg::OnDblClkFileList() {
    const QModelIndexList selected = m_list.selectionModel()->selectedRows();
    if (selected.isEmpty()) {
        return;
    }
    const int entry = m_model.EntryOfRow(selected.front().row());
    if (entry < 0 || static_cast<std::size_t>(entry) >= m_entries.size()) {
        return;
    }
    // Copied: opening may relist and replace m_entries.
    const std::string path = m_entries[static_cast<std::size_t>(entry)].path;
    if (!m_openFile || !m_openFile(path)) {
        ShowMessage(kOpenFailedText);
    }
}

CatalogueListHooks CBrowserDlg::Hooks() {
    return {
        [this] { return m_nProduct; }, [this](int index) { m_nProduct = index; },
        [this](const std::string& folder, const std::string& code) { ListFiles(folder, code); }};
}
