#include "dialogs/CBrowserDlg.h"

#include <QHeaderView>
#include <QList>
#include <QStringList>
#include <QVBoxLayout>

#include "platform/Message.h"

namespace {

constexpr char kOpenFailedText[] = "打开文件数据失败！";
constexpr int kSizeColumn = 3;
// Each row remembers its entry, so sorting the rows never changes which file
// a double click opens.
constexpr int kEntryRole = Qt::UserRole;

struct Column {
    const char* title;
    int width;
};
constexpr Column kColumns[] = {
    {"时间", 160}, {"投影方式", 80}, {"中心经纬度", 100}, {"大小", 80}, {"文件路径", 200},
};

// Sizes compare by their pixel count ("800×600" before "1900×1300"), every
// other column by its text.
class CFileRow : public QTreeWidgetItem {
public:
    CFileRow(const QStringList& texts, int entry) : QTreeWidgetItem(texts) {
        setData(0, kEntryRole, entry);
    }

    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        if (column == kSizeColumn) {
            const qint64 a = Pixels(text(column));
            const qint64 b = Pixels(other.text(column));
            if (a != b) {
                return a < b;
            }
        }
        return text(column) < other.text(column);
    }

private:
    static qint64 Pixels(const QString& size) {
        const QStringList sides = size.split(QChar(0x00D7));
        return sides.size() == 2 ? sides[0].toLongLong() * sides[1].toLongLong() : 0;
    }
};

QStringList RowTexts(const FileEntry& entry) {
    return {QString::fromStdString(entry.timeText), QString::fromStdString(entry.projectionText),
            QString::fromStdString(entry.centreText), QString::fromStdString(entry.sizeText),
            QString::fromStdString(entry.path)};
}

}  // namespace

CBrowserDlg::CBrowserDlg(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(&m_list);

    m_list.setRootIsDecorated(false);
    m_list.setUniformRowHeights(true);
    m_list.setItemsExpandable(false);
    m_list.setSelectionMode(QAbstractItemView::SingleSelection);
    m_list.setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list.setAllColumnsShowFocus(true);
    m_list.setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    m_list.header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_list.header()->setStretchLastSection(false);

    QStringList titles;
    for (const Column& column : kColumns) {
        titles << QString::fromUtf8(column.title);
    }
    m_list.setHeaderLabels(titles);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        m_list.setColumnWidth(i, kColumns[i].width);
    }
    m_list.header()->setSectionsClickable(true);
    m_list.header()->setSortIndicatorShown(false);
    connect(m_list.header(), &QHeaderView::sectionClicked, this,
            [this](int column) { OnColumnClicked(column); });
    connect(&m_list, &QTreeWidget::itemDoubleClicked, this, [this] { OnDblClkFileList(); });
}

void CBrowserDlg::ListFiles(const std::string& folder, const std::string& code) {
    m_entries = ListFileEntries(folder, code, m_nChannel);
    RefreshList();
}

bool CBrowserDlg::AddFile(const std::string& path) {
    AwxSummary summary;
    if (!ReadMatchingSummary(path, m_nChannel, summary)) {
        return false;
    }
    m_entries.push_back(MakeFileEntry(path, summary));
    return true;
}

void CBrowserDlg::RefreshList() {
    m_list.clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(m_entries.size()));
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        rows.append(new CFileRow(RowTexts(m_entries[i]), static_cast<int>(i)));
    }
    m_list.addTopLevelItems(rows);
    ApplySort();
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
    m_list.sortItems(m_nSortColumn, m_sortOrder);
    m_list.header()->setSortIndicatorShown(true);
    m_list.header()->setSortIndicator(m_nSortColumn, m_sortOrder);
}

void CBrowserDlg::OnDblClkFileList() {
    const QList<QTreeWidgetItem*> selected = m_list.selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    bool ok = false;
    const int row = selected.front()->data(0, kEntryRole).toInt(&ok);
    if (!ok || row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
        return;
    }
    // Copied: opening may relist and replace m_entries.
    const std::string path = m_entries[static_cast<std::size_t>(row)].path;
    if (!m_openFile || !m_openFile(path)) {
        ShowMessage(kOpenFailedText);
    }
}

CatalogueListHooks CBrowserDlg::Hooks() {
    return {
        [this] { return m_nProduct; }, [this](int index) { m_nProduct = index; },
        [this](const std::string& folder, const std::string& code) { ListFiles(folder, code); }};
}
