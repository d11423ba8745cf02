#include "dialogs/CConvectionSettingsDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/DataExchange.h"

CConvectionSettingsDlg::CConvectionSettingsDlg(const ConvectionSettings& current, QWidget* parent)
    : QDialog(parent), m_settings(current) {
    setWindowTitle(QStringLiteral("对流设置"));
    m_pThreshold = new QLineEdit(this);
    m_pShield = new QLineEdit(this);
    m_pMinArea = new QLineEdit(this);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("云团阈值(K)："), m_pThreshold);
    fields->addRow(QStringLiteral("云盾阈值(K)："), m_pShield);
    fields->addRow(QStringLiteral("最小面积(km²)："), m_pMinArea);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    auto* defaults = new QPushButton(QStringLiteral("默认"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(defaults);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CConvectionSettingsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CConvectionSettingsDlg::reject);
    connect(defaults, &QPushButton::clicked, this, &CConvectionSettingsDlg::OnDefault);
    ExchangeToControls();
}

void CConvectionSettingsDlg::ExchangeToControls() {
    m_pThreshold->setText(QString::fromStdString(FloatEditText(m_settings.thresholdK)));
    m_pShield->setText(QString::fromStdString(FloatEditText(m_settings.shieldThresholdK)));
    m_pMinArea->setText(
        QString::fromStdString(FloatEditText(static_cast<float>(m_settings.minAreaKm2))));
}

bool CConvectionSettingsDlg::ExchangeFromControls() {
    ConvectionSettings edited = m_settings;
    float minArea = static_cast<float>(edited.minAreaKm2);
    if (!ExchangeFloat(*m_pThreshold, edited.thresholdK) ||
        !ExchangeFloat(*m_pShield, edited.shieldThresholdK) ||
        !ExchangeFloat(*m_pMinArea, minArea)) {
        return false;
    }
    edited.minAreaKm2 = minArea;
    const std::string problem = ConvectionSettingsProblem(edited);
    if (!problem.empty()) {
        RefuseEdit(*m_pThreshold, problem);
        return false;
    }
    m_settings = edited;
    return true;
}

void CConvectionSettingsDlg::accept() {
    if (ExchangeFromControls()) {
        QDialog::accept();
    }
}

void CConvectionSettingsDlg::OnDefault() {
    m_settings = ConvectionSettings{};
    ExchangeToControls();
}
