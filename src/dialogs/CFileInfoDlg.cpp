#include "dialogs/CFileInfoDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "product/ProductInfoText.h"

CFileInfoDlg::CFileInfoDlg(const ProductDescription& description, QWidget* parent)
    : QDialog(parent), m_description(description) {
    setWindowTitle(QStringLiteral("SEC文件信息描述"));
    m_pText = new QLabel(this);
    m_pText->setObjectName(QStringLiteral("infoText"));
    m_pText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pText->setTextFormat(Qt::PlainText);
    m_pText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pText->setMinimumSize(260, 300);
    m_pText->setText(QString::fromStdString(ProductInfoText(m_description)));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFileInfoDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pText);
    layout->addWidget(buttons);
}

QString CFileInfoDlg::InfoText() const {
    return m_pText->text();
}
