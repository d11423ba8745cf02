#include "dialogs/CPercentDlg.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "dialogs/DataExchange.h"

CPercentDlg::CPercentDlg(QWidget* parent) : QDialog(parent) {
    m_pSlider = new QSlider(Qt::Horizontal, this);
    m_pSlider->setRange(0, kSliderMax);
    m_pPreview = new QCheckBox(QStringLiteral("预览"), this);
    m_pEdit = new QLineEdit(this);
    m_pPrompt = new QLabel(this);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPercentDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPercentDlg::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_pPrompt, 0, 0);
    layout->addWidget(m_pEdit, 0, 1);
    layout->addWidget(m_pSlider, 1, 0, 1, 2);
    layout->addWidget(m_pPreview, 2, 0);
    layout->addWidget(buttons, 3, 0, 1, 2);

    connect(m_pSlider, &QSlider::valueChanged, this, &CPercentDlg::OnSliderMoved);
    ExchangeToControls();
}

void CPercentDlg::SetPrompt(const QString& prompt) {
    m_pPrompt->setText(prompt);
}

void CPercentDlg::ExchangeToControls() {
    m_pEdit->setText(QString::number(m_nValue));
    m_pPreview->setChecked(m_bPreview != 0);
    // The slider shows the value it can; a larger one leaves the edit alone.
    const QSignalBlocker quiet(m_pSlider);
    m_pSlider->setValue(std::clamp(m_nValue, 0, kSliderMax));
}

bool CPercentDlg::ExchangeFromControls() {
    int value = m_nValue;
    if (!ExchangeInt(*m_pEdit, value) || !ValidateIntRange(*m_pEdit, value, kValueMin, kValueMax)) {
        return false;
    }
    m_nValue = value;
    m_bPreview = m_pPreview->isChecked() ? 1 : 0;
    return true;
}

void CPercentDlg::accept() {
    if (ExchangeFromControls()) {
        QDialog::accept();
    }
}

// The dialog opens ready for typing: the number is selected in its box, so
// a value and Enter apply it.
void CPercentDlg::showEvent(QShowEvent* event) {
    ExchangeToControls();
    QDialog::showEvent(event);
    m_pEdit->setFocus(Qt::OtherFocusReason);
    m_pEdit->selectAll();
}

void CPercentDlg::OnSliderMoved(int position) {
    m_nValue = position;
    m_pEdit->setText(QString::number(position));
}
