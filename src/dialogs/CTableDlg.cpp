#include "dialogs/CTableDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/Message.h"

namespace {

constexpr int kPanelWidth = 640;
constexpr int kPanelHeight = 300;

}  // namespace

CTableDlg::CTableDlg(const QString& title, SavePathChooser chooseSavePath, QWidget* parent)
    : QDialog(parent), m_chooseSavePath(std::move(chooseSavePath)) {
    setWindowTitle(title);
    m_pTable = new QTableWidget(this);
    m_pTable->verticalHeader()->setVisible(false);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* copy = new QPushButton(QStringLiteral("复制"), this);
    auto* save = new QPushButton(QStringLiteral("保存CSV..."), this);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(close);
    m_pLayout = new QVBoxLayout(this);
    m_pLayout->addWidget(m_pTable, 1);
    m_pLayout->addLayout(buttons);
    resize(kPanelWidth, kPanelHeight);
    connect(copy, &QPushButton::clicked, this, &CTableDlg::OnCopy);
    connect(save, &QPushButton::clicked, this, &CTableDlg::OnSaveCsv);
    connect(close, &QPushButton::clicked, this, &CTableDlg::hide);
}

void CTableDlg::SetTable(TextTable table) {
    m_table = std::move(table);
    m_pTable->clear();
    m_pTable->setColumnCount(static_cast<int>(m_table.header.size()));
    m_pTable->setRowCount(static_cast<int>(m_table.rows.size()));
    QStringList titles;
    for (const std::string& title : m_table.header) {
        titles << QString::fromStdString(title);
    }
    m_pTable->setHorizontalHeaderLabels(titles);
    for (std::size_t r = 0; r < m_table.rows.size(); ++r) {
        for (std::size_t c = 0; c < m_table.rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(m_table.rows[r][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_pTable->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    m_pTable->resizeColumnsToContents();
}

void CTableDlg::OnCopy() {
    QApplication::clipboard()->setText(QString::fromStdString(TextTableText(m_table, '\t')));
}

void CTableDlg::OnSaveCsv() {
    if (!m_chooseSavePath) {
        return;
    }
    const std::optional<std::string> path = m_chooseSavePath();
    if (path && !SaveTextTableCsv(*path, m_table)) {
        ShowMessage("保存文档失败。");
    }
}
