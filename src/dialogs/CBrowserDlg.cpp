#include "dialogs/CBrowserDlg.h"

#include <QHeaderView>
#include <QList>
#include <QStringList>
#include <QVBoxLayout>

#include "platform/Message.h"

namespace {

constexpr char kOpenFailedText[] = "打开文件数据失败！";

struct Column {
    const char* title;
    int width;
};
constexpr Column kColumns[] = {
    {"时间", 160}, {"投影方式", 80}, {"中心经纬度", 100}, {"大小", 80}, {"文件路径", 200},
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
    for (const FileEntry& entry : m_entries) {
        rows.append(new QTreeWidgetItem(RowTexts(entry)));
    }
    m_list.addTopLevelItems(rows);
}

void CBrowserDlg::OnDblClkFileList() {
    const QList<QTreeWidgetItem*> selected = m_list.selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    const int row = m_list.indexOfTopLevelItem(selected.front());
    if (row < 0 || static_cast<std::size_t>(row) >= m_entries.size()) {
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
