#pragma once
// "等值线设置": how one NWP overlay's contours are drawn. The edits hold the
// label height, the label decimals and the contour interval; the style list
// the pen style; the two colour buttons open the colour chooser, and while
// "字色总是与线色相同" is ticked (it is at every opening) a colour chosen for
// one is taken for the other too. "默认" shows the overlay's default block
// again; only OK writes anything back.

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>

#include "nwp/NwpSettings.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CNwpSettingsDlg : public QDialog {
    Q_OBJECT

public:
    // The colour chosen starting from a colour, or nothing on cancel.
    using ColourChooser = std::function<std::optional<std::uint32_t>(std::uint32_t initial)>;

    // Values that would leave the overlay without lines or labels are refused.
    static constexpr int kMaxLabelHeight = 200;
    static constexpr int kMinLabelDecimals = -4;

    CNwpSettingsDlg(const NwpSettings& defaults, const NwpSettings& current,
                    ColourChooser chooseColour, QWidget* parent = nullptr);

    // Writes the six edited values (label height and decimals, line style,
    // label and line colour, interval) into the overlay's current block.
    void WriteTo(NwpSettings& current) const;

    // --- Controls ------------------------------------------------------------
    QLineEdit* HeightEdit() const { return m_pHeight; }
    QLineEdit* DecimalsEdit() const { return m_pDecimals; }
    QLineEdit* IntervalEdit() const { return m_pInterval; }
    QComboBox* StyleList() const { return m_pStyle; }
    QPushButton* LineColourButton() const { return m_pLineColour; }
    QPushButton* LabelColourButton() const { return m_pLabelColour; }
    QCheckBox* SameColourBox() const { return m_pSameColour; }
    QPushButton* DefaultButton() const { return m_pDefault; }

    // The buttons' actions.
    void OnLineColour();
    void OnLabelColour();
    void OnDefault();

    // --- Dialog data -----------------------------------------------------------
    NwpSettings m_default;
    std::uint32_t m_crLabel = 0;
    std::uint32_t m_crLine = 0;
    int m_nLineStyle = 0;
    int m_bSameColour = 1;
    int m_nLabelHeight = 0;
    int m_nLabelDecimals = 0;
    float m_fInterval = 0.0f;

public slots:
    void accept() override;

private:
    void ExchangeToControls();
    // Reads the edits back; false (with the message shown) keeps it open.
    bool ExchangeFromControls();
    void ShowColours();

    ColourChooser m_chooseColour;
    QLineEdit* m_pHeight = nullptr;
    QLineEdit* m_pDecimals = nullptr;
    QLineEdit* m_pInterval = nullptr;
    QComboBox* m_pStyle = nullptr;
    QPushButton* m_pLineColour = nullptr;
    QPushButton* m_pLabelColour = nullptr;
    QCheckBox* m_pSameColour = nullptr;
    QPushButton* m_pDefault = nullptr;
};
