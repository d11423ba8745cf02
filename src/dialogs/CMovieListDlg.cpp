#include "dialogs/CMovieListDlg.h"

#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

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
}

void CMovieListDlg::ListFiles(const std::string& folder, const std::string& code) {
    m_entries = ListFrameEntries(folder, code, m_nChannel);
    RefreshList();
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

void CMovieListDlg::SelectLast(int count) {
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
