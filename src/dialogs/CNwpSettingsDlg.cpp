#include "dialogs/CNwpSettingsDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "dialogs/DataExchange.h"
#include "ui/CanvasColour.h"

namespace {

constexpr const char* kStyleNames[] = {"实线", "虚线", "点线", "点划线", "点点划线"};
constexpr char kDecimalsTooFewText[] = "注释字保留位数不能小于-4。";
constexpr char kIntervalNotPositiveText[] = "等值线间隔必须是大于0的数。";

// A swatch beside the button's text shows the colour it holds.
QIcon Swatch(std::uint32_t colour) {
    QPixmap pixmap(20, 12);
    pixmap.fill(ToQColor(colour));
    return QIcon(pixmap);
}

QLabel* LabelFor(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

CNwpSettingsDlg::CNwpSettingsDlg(const NwpSettings& defaults, const NwpSettings& current,
                                 ColourChooser chooseColour, QWidget* parent)
    : QDialog(parent),
      m_default(defaults),
      m_crLabel(current.labelColour),
      m_crLine(current.lineColour),
      m_nLineStyle(current.lineStyle),
      m_nLabelHeight(current.labelHeight),
      m_nLabelDecimals(current.labelDecimals),
      m_fInterval(current.interval),
      m_chooseColour(std::move(chooseColour)) {
    setWindowTitle(QStringLiteral("等值线设置"));
    auto* group = new QGroupBox(QStringLiteral("被选定的等值线属性"), this);
    m_pHeight = new QLineEdit(group);
    m_pDecimals = new QLineEdit(group);
    m_pInterval = new QLineEdit(group);
    m_pStyle = new QComboBox(group);
    for (const char* name : kStyleNames) {
        m_pStyle->addItem(QString::fromUtf8(name));
    }
    m_pLineColour = new QPushButton(QStringLiteral("线色"), group);
    m_pLabelColour = new QPushButton(QStringLiteral("字色"), group);
    m_pSameColour = new QCheckBox(QStringLiteral("字色总是与线色相同"), group);
    m_pSameColour->setChecked(m_bSameColour != 0);

    auto* fields = new QGridLayout(group);
    fields->addWidget(LabelFor("注释字高度", m_pHeight, group), 0, 0);
    fields->addWidget(m_pHeight, 0, 1);
    fields->addWidget(LabelFor("注释字保留位数", m_pDecimals, group), 1, 0);
    fields->addWidget(m_pDecimals, 1, 1);
    fields->addWidget(LabelFor("等值线间隔", m_pInterval, group), 2, 0);
    fields->addWidget(m_pInterval, 2, 1);
    fields->addWidget(LabelFor("线型", m_pStyle, group), 3, 0);
    fields->addWidget(m_pStyle, 3, 1);
    auto* colours = new QHBoxLayout;
    colours->addWidget(m_pLineColour);
    colours->addWidget(m_pLabelColour);
    fields->addLayout(colours, 4, 0, 1, 2);
    fields->addWidget(m_pSameColour, 5, 0, 1, 2);

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    m_pDefault = new QPushButton(QStringLiteral("默认"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(m_pDefault);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CNwpSettingsDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CNwpSettingsDlg::reject);
    connect(m_pDefault, &QPushButton::clicked, this, &CNwpSettingsDlg::OnDefault);
    connect(m_pLineColour, &QPushButton::clicked, this, &CNwpSettingsDlg::OnLineColour);
    connect(m_pLabelColour, &QPushButton::clicked, this, &CNwpSettingsDlg::OnLabelColour);
    connect(m_pStyle, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_nLineStyle = index; });
    connect(m_pSameColour, &QCheckBox::toggled, this,
            [this](bool on) { m_bSameColour = on ? 1 : 0; });
    ExchangeToControls();
}

void CNwpSettingsDlg::ExchangeToControls() {
    m_pHeight->setText(QString::number(m_nLabelHeight));
    m_pDecimals->setText(QString::number(m_nLabelDecimals));
    m_pInterval->setText(QString::fromStdString(FloatEditText(m_fInterval)));
    const QSignalBlocker quiet(m_pStyle);
    m_pStyle->setCurrentIndex(m_nLineStyle >= 0 && m_nLineStyle < m_pStyle->count() ? m_nLineStyle
                                                                                    : -1);
    ShowColours();
}

void CNwpSettingsDlg::ShowColours() {
    m_pLineColour->setIcon(Swatch(m_crLine));
    m_pLabelColour->setIcon(Swatch(m_crLabel));
}

bool CNwpSettingsDlg::ExchangeFromControls() {
    int height = m_nLabelHeight;
    if (!ExchangeInt(*m_pHeight, height) ||
        !ValidateIntRange(*m_pHeight, height, 1, kMaxLabelHeight)) {
        return false;
    }
    int decimals = m_nLabelDecimals;
    if (!ExchangeInt(*m_pDecimals, decimals)) {
        return false;
    }
    if (decimals < kMinLabelDecimals) {
        RefuseEdit(*m_pDecimals, kDecimalsTooFewText);
        return false;
    }
    float interval = m_fInterval;
    if (!ExchangeFloat(*m_pInterval, interval)) {
        return false;
    }
    if (!(interval > 0.0f) || !std::isfinite(interval)) {
        RefuseEdit(*m_pInterval, kIntervalNotPositiveText);
        return false;
    }
    m_nLabelHeight = height;
    m_nLabelDecimals = decimals;
    m_fInterval = interval;
    return true;
}

void CNwpSettingsDlg::accept() {
    if (ExchangeFromControls()) {
        QDialog::accept();
    }
}

void CNwpSettingsDlg::OnLineColour() {
    if (!m_chooseColour) {
        return;
    }
    if (const std::optional<std::uint32_t> chosen = m_chooseColour(m_crLine)) {
        m_crLine = *chosen;
        if (m_bSameColour) {
            m_crLabel = *chosen;
        }
        ShowColours();
    }
}

void CNwpSettingsDlg::OnLabelColour() {
    if (!m_chooseColour) {
        return;
    }
    if (const std::optional<std::uint32_t> chosen = m_chooseColour(m_crLabel)) {
        m_crLabel = *chosen;
        if (m_bSameColour) {
            m_crLine = *chosen;
        }
        ShowColours();
    }
}

void CNwpSettingsDlg::OnDefault() {
    m_fInterval = m_default.interval;
    m_nLabelHeight = m_default.labelHeight;
    m_nLabelDecimals = m_default.labelDecimals;
    m_crLine = m_default.lineColour;
    m_crLabel = m_default.labelColour;
    m_nLineStyle = m_default.lineStyle;
    ExchangeToControls();
}

void CNwpSettingsDlg::WriteTo(NwpSettings& current) const {
    current.labelHeight = m_nLabelHeight;
    current.labelDecimals = m_nLabelDecimals;
    current.lineStyle = m_nLineStyle;
    current.labelColour = m_crLabel;
    current.lineColour = m_crLine;
    current.interval = m_fInterval;
}
