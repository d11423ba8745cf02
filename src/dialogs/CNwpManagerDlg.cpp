#include "dialogs/CNwpManagerDlg.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "dialogs/CNwpSettingsDlg.h"
#include "platform/TextCodec.h"
#include "ui/CanvasColour.h"

CNwpManagerDlg::CNwpManagerDlg(std::vector<CNwpOverlay>& overlays, CUiProviders& providers,
                               std::function<void()> recompose, QWidget* parent)
    : QDialog(parent),
      m_overlays(overlays),
      m_providers(providers),
      m_recompose(std::move(recompose)) {
    setWindowTitle(QStringLiteral("叠加管理"));
    m_pList = new QListWidget(this);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pSettings = new QPushButton(QStringLiteral("显示设置"), this);
    m_pApply = new QPushButton(QStringLiteral("应    用"), this);
    m_pDelete = new QPushButton(QStringLiteral("删    除"), this);
    m_pClose = new QPushButton(QStringLiteral("关闭窗口"), this);
    // Enter in the list must not close the dialog behind the user's back.
    for (QPushButton* button : {m_pSettings, m_pApply, m_pDelete, m_pClose}) {
        button->setAutoDefault(false);
    }

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_pSettings);
    buttons->addWidget(m_pApply);
    buttons->addWidget(m_pDelete);
    buttons->addStretch(1);
    buttons->addWidget(m_pClose);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
    resize(520, 280);

    for (int i = 0; i < static_cast<int>(m_overlays.size()); ++i) {
        m_pList->addItem(QString());
        ShowLine(i);
    }
    connect(m_pList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { OnToggle(m_pList->row(item)); });
    connect(m_pSettings, &QPushButton::clicked, this, &CNwpManagerDlg::OnSettings);
    connect(m_pApply, &QPushButton::clicked, this, &CNwpManagerDlg::OnApply);
    connect(m_pDelete, &QPushButton::clicked, this, &CNwpManagerDlg::OnDelete);
    connect(m_pClose, &QPushButton::clicked, this, &CNwpManagerDlg::reject);
}

QString CNwpManagerDlg::LineText(const CNwpOverlay& overlay) {
    const QString description = QString::fromStdString(GbkToUtf8(overlay.Description()));
    return (overlay.IsVisible() ? QStringLiteral("√（显示） ") : QStringLiteral("ㄨ（隐藏） ")) +
           description;
}

// A shown overlay's line carries its line colour; a hidden one reads greyed.
// The swatch keeps the colour in sight while the line is highlighted.
void CNwpManagerDlg::ShowLine(int line) {
    QListWidgetItem* item = m_pList->item(line);
    if (item == nullptr) {
        return;
    }
    const CNwpOverlay& overlay = m_overlays[static_cast<std::size_t>(line)];
    item->setText(LineText(overlay));
    QPixmap swatch(16, 10);
    swatch.fill(ToQColor(overlay.CurrentSettings().lineColour));
    item->setIcon(QIcon(swatch));
    item->setForeground(overlay.IsVisible() ? ToQColor(overlay.CurrentSettings().lineColour)
                                            : palette().color(QPalette::Disabled, QPalette::Text));
}

int CNwpManagerDlg::SelectedLine() const {
    const QList<QListWidgetItem*> selected = m_pList->selectedItems();
    if (selected.isEmpty()) {
        return -1;
    }
    const int line = m_pList->row(selected.front());
    return line < static_cast<int>(m_overlays.size()) ? line : -1;
}

void CNwpManagerDlg::OnToggle(int line) {
    if (line < 0 || line >= static_cast<int>(m_overlays.size())) {
        return;
    }
    CNwpOverlay& overlay = m_overlays[static_cast<std::size_t>(line)];
    overlay.SetVisible(overlay.IsVisible() ? 0 : 1);
    m_bChanged = true;
    ShowLine(line);
}

void CNwpManagerDlg::OnSettings() {
    const int line = SelectedLine();
    if (line < 0 || !m_providers.showModal) {
        return;
    }
    CNwpOverlay& overlay = m_overlays[static_cast<std::size_t>(line)];
    CNwpSettingsDlg dialog(overlay.DefaultSettings(), overlay.CurrentSettings(),
                           m_providers.chooseColour, this);
    m_providers.showModal(dialog);
    if (dialog.result() == QDialog::Accepted) {
        dialog.WriteTo(overlay.CurrentSettings());
        m_bChanged = true;
        ShowLine(line);
    }
}

void CNwpManagerDlg::Recompose() {
    if (m_recompose) {
        m_recompose();
    }
    m_bChanged = false;
}

void CNwpManagerDlg::OnApply() {
    Recompose();
}

// No line stays selected afterwards, so a second click deletes nothing by
// accident.
void CNwpManagerDlg::OnDelete() {
    const int line = SelectedLine();
    if (line < 0) {
        return;
    }
    m_overlays.erase(m_overlays.begin() + line);
    delete m_pList->takeItem(line);
    m_pList->clearSelection();
    m_pList->setCurrentRow(-1);
    Recompose();
}
