#include "dialogs/CNwpSelectDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <iterator>
#include <utility>

#include "platform/TextCodec.h"

// The icons live in the static user-interface library; a dialog made before
// the main frame (as in tests) must still find them.
static void InitNwpSelectResources() {
    Q_INIT_RESOURCE(kelvra);
}

namespace {

struct Column {
    const char* title;
    int width;
};
constexpr Column kColumns[] = {
    {"选择", 55}, {"文件类型", 180}, {"日期/时间", 160}, {"文件路径", 300}};

QString FromGbk(const std::string& gbk) {
    return QString::fromStdString(GbkToUtf8(gbk));
}

// Paths are shown as the file system gives them; bytes that are not UTF-8
// show as replacement characters rather than vanishing.
QString PathText(const std::string& path) {
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

}  // namespace

CNwpSelectDlg::CNwpSelectDlg(std::string root, int classNumber, QWidget* parent)
    : QDialog(parent), m_strRoot(std::move(root)) {
    InitNwpSelectResources();
    setWindowTitle(QStringLiteral("叠加资料"));
    m_images[kImageYes] = QIcon(QStringLiteral(":/icons/nwp-yes.png"));
    m_images[kImageNo] = QIcon(QStringLiteral(":/icons/nwp-no.png"));

    m_pTypes = new QComboBox(this);
    m_pTypes->setMinimumContentsLength(16);
    m_pLevels = new QComboBox(this);
    m_pLevels->setMinimumContentsLength(8);
    auto* typeLabel = new QLabel(QStringLiteral("数据类型："), this);
    typeLabel->setBuddy(m_pTypes);
    auto* levelLabel = new QLabel(QStringLiteral("高度："), this);
    levelLabel->setBuddy(m_pLevels);

    m_pList = new QTreeWidget(this);
    m_pList->setRootIsDecorated(false);
    m_pList->setUniformRowHeights(true);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setAllColumnsShowFocus(true);
    m_pList->setIconSize(QSize(16, 16));
    m_pList->header()->setStretchLastSection(false);
    QStringList titles;
    for (const Column& column : kColumns) {
        titles << QString::fromUtf8(column.title);
    }
    m_pList->setHeaderLabels(titles);
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        m_pList->setColumnWidth(i, kColumns[i].width);
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* choices = new QHBoxLayout;
    choices->addWidget(typeLabel);
    choices->addWidget(m_pTypes);
    choices->addSpacing(24);
    choices->addWidget(levelLabel);
    choices->addWidget(m_pLevels);
    choices->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_pList, 1);
    layout->addWidget(buttons);
    resize(760, 420);

    connect(m_pList, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { ToggleRow(m_pList->indexOfTopLevelItem(item)); });
    // The keyboard's way to tick a row.
    auto* space = new QShortcut(QKeySequence(Qt::Key_Space), m_pList);
    space->setContext(Qt::WidgetShortcut);
    connect(space, &QShortcut::activated, this,
            [this] { ToggleRow(m_pList->indexOfTopLevelItem(m_pList->currentItem())); });

    m_pTypes->setEnabled(false);
    m_pLevels->setEnabled(false);
    if (!ReadNwpCatalogue(m_strRoot, classNumber, m_class)) {
        return;
    }
    setWindowTitle(FromGbk(m_class.title));
    {
        const QSignalBlocker quiet(m_pTypes);
        for (const NwpDataType& type : m_class.types) {
            m_pTypes->addItem(FromGbk(type.title));
        }
        m_pTypes->setEnabled(!m_class.types.empty());
        m_pTypes->setCurrentIndex(m_class.types.empty() ? -1 : 0);
    }
    connect(m_pTypes, &QComboBox::currentIndexChanged, this, &CNwpSelectDlg::OnTypeChanged);
    connect(m_pLevels, &QComboBox::currentIndexChanged, this, &CNwpSelectDlg::OnLevelChanged);
    if (!m_class.types.empty()) {
        OnTypeChanged(0);
    }
}

// The levels of the type, none of them chosen; no levels disables the box.
void CNwpSelectDlg::FillLevels(int typeIndex) {
    const QSignalBlocker quiet(m_pLevels);
    m_pLevels->clear();
    const std::vector<std::string>& levels =
        m_class.types[static_cast<std::size_t>(typeIndex)].levels;
    for (const std::string& level : levels) {
        m_pLevels->addItem(FromGbk(level));
    }
    m_pLevels->setCurrentIndex(-1);
    m_pLevels->setEnabled(!levels.empty());
    // Until a level is chosen the list shows the type folder itself, where
    // files rarely lie; the hint says what to do.
    m_pLevels->setPlaceholderText(levels.empty() ? QString() : QStringLiteral("请选择高度"));
}

void CNwpSelectDlg::OnTypeChanged(int index) {
    if (index < 0 || index >= static_cast<int>(m_class.types.size())) {
        return;
    }
    FillLevels(index);
    ListFolder(NwpTypeFolder(m_strRoot, m_class, m_class.types[static_cast<std::size_t>(index)]));
}

void CNwpSelectDlg::OnLevelChanged(int index) {
    const int type = m_pTypes->currentIndex();
    if (type < 0 || type >= static_cast<int>(m_class.types.size())) {
        return;
    }
    const NwpDataType& dataType = m_class.types[static_cast<std::size_t>(type)];
    if (index < 0 || index >= static_cast<int>(dataType.levels.size())) {
        return;
    }
    ListFolder(NwpLevelFolder(m_strRoot, m_class, dataType,
                              dataType.levels[static_cast<std::size_t>(index)]));
}

void CNwpSelectDlg::ListFolder(std::string folder) {
    m_strFolder = std::move(folder);
    m_rows = BuildNwpRows(m_strFolder);
    m_pList->clear();
    QList<QTreeWidgetItem*> items;
    for (const NwpFileRow& row : m_rows) {
        items << new QTreeWidgetItem(QStringList{QString(), QString::fromStdString(row.fieldName),
                                                 QString::fromStdString(row.dateTime),
                                                 PathText(row.path)});
    }
    m_pList->addTopLevelItems(items);
    for (int i = 0; i < static_cast<int>(m_rows.size()); ++i) {
        ShowSelection(i);
    }
}

void CNwpSelectDlg::ShowSelection(int row) {
    QTreeWidgetItem* item = m_pList->topLevelItem(row);
    if (item == nullptr) {
        return;
    }
    const bool selected = m_rows[static_cast<std::size_t>(row)].selected != 0;
    item->setText(0, selected ? QStringLiteral("是") : QStringLiteral("否"));
    item->setIcon(0, m_images[selected ? kImageYes : kImageNo]);
}

void CNwpSelectDlg::ToggleRow(int row) {
    if (row < 0 || row >= static_cast<int>(m_rows.size())) {
        return;
    }
    int& selected = m_rows[static_cast<std::size_t>(row)].selected;
    selected = selected ? 0 : 1;
    ShowSelection(row);
}

std::vector<std::string> CNwpSelectDlg::SelectedPaths() const {
    std::vector<std::string> paths;
    for (const NwpFileRow& row : m_rows) {
        if (row.selected) {
            paths.push_back(row.path);
        }
    }
    return paths;
}
