#pragma once
// "对流设置": the cold-cloud cell threshold, the cloud shield's threshold and
// the smallest cell area. Values that cannot make cells are refused and the
// dialog stays open; only OK hands the values back.

#include <QDialog>

#include "convection/ConvectionSettings.h"

class QLineEdit;

class CConvectionSettingsDlg : public QDialog {
    Q_OBJECT

public:
    explicit CConvectionSettingsDlg(const ConvectionSettings& current, QWidget* parent = nullptr);

    const ConvectionSettings& Settings() const { return m_settings; }
    QLineEdit* ThresholdEdit() const { return m_pThreshold; }
    QLineEdit* ShieldEdit() const { return m_pShield; }
    QLineEdit* MinAreaEdit() const { return m_pMinArea; }

public slots:
    void accept() override;

private:
    void OnDefault();
    void ExchangeToControls();
    bool ExchangeFromControls();

    ConvectionSettings m_settings;
    QLineEdit* m_pThreshold = nullptr;
    QLineEdit* m_pShield = nullptr;
    QLineEdit* m_pMinArea = nullptr;
};
