#pragma once
// Asks for one percentage: a slider 0-400 that writes its position into the
// edit box, a "预览" check box that nothing acts on, and the edit box whose
// integer 0-500 is the value. The caller sets the window title and prompt.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;

class CPercentDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kSliderMax = 400;
    static constexpr int kValueMin = 0;
    static constexpr int kValueMax = 500;

    explicit CPercentDlg(QWidget* parent = nullptr);

    void SetPrompt(const QString& prompt);

    // Dialog data: the value (initially 100) and the preview switch (0).
    // Read into the controls when shown, back out on OK.
    int m_nValue = 100;
    int m_bPreview = 0;

    QSlider* Slider() const { return m_pSlider; }
    QLineEdit* Edit() const { return m_pEdit; }
    QCheckBox* PreviewBox() const { return m_pPreview; }
    QLabel* PromptLabel() const { return m_pPrompt; }

    // Writes the members into the controls.
    void ExchangeToControls();
    // Reads the controls back with the range checks; false keeps it open.
    bool ExchangeFromControls();

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnSliderMoved(int position);

    QSlider* m_pSlider = nullptr;
    QCheckBox* m_pPreview = nullptr;
    QLineEdit* m_pEdit = nullptr;
    QLabel* m_pPrompt = nullptr;
};
