#include "dialogs/CCellTableDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "convection/CellTable.h"
#include "platform/Message.h"

CCellTableDlg::CCellTableDlg(std::vector<std::vector<std::string>> rows,
                             SavePathChooser chooseSavePath, QWidget* parent)
    : QDialog(parent), m_rows(std::move(rows)), m_chooseSavePath(std::move(chooseSavePath)) {
    setWindowTitle(QStringLiteral("云团列表"));
    const std::vector<std::string> header = CellTableHeader();
    m_pTable =
        new QTableWidget(static_cast<int>(m_rows.size()), static_cast<int>(header.size()), this);
    QStringList titles;
    for (const std::string& title : header) {
        titles << QString::fromStdString(title);
    }
    m_pTable->setHorizontalHeaderLabels(titles);
    m_pTable->verticalHeader()->setVisible(false);
    m_pTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        for (std::size_t c = 0; c < m_rows[r].size(); ++c) {
            auto* item = new QTableWidgetItem(QString::fromStdString(m_rows[r][c]));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_pTable->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    m_pTable->resizeColumnsToContents();

    auto* copy = new QPushButton(QStringLiteral("复制"), this);
    auto* save = new QPushButton(QStringLiteral("保存CSV..."), this);
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTable, 1);
    layout->addLayout(buttons);
    resize(720, 360);

    connect(copy, &QPushButton::clicked, this, &CCellTableDlg::OnCopy);
    connect(save, &QPushButton::clicked, this, &CCellTableDlg::OnSaveCsv);
    connect(close, &QPushButton::clicked, this, &CCellTableDlg::accept);
}

std::string CCellTableDlg::CopyText() const {
    return CellTableText(m_rows, '\t');
}

void CCellTableDlg::OnCopy() {
    QApplication::clipboard()->setText(QString::fromStdString(CopyText()));
}

void CCellTableDlg::OnSaveCsv() {
    if (!m_chooseSavePath) {
        return;
    }
    const std::optional<std::string> path = m_chooseSavePath();
    if (path && !SaveCellTableCsv(*path, m_rows)) {
        ShowMessage("保存文档失败。");
    }
}
