#include "dialogs/CBandTabDlg.h"

#include <QVBoxLayout>

#include "browse/CatalogueFolder.h"
#include "browse/ChannelTabs.h"
#include "browse/ProductCode.h"
#include "dialogs/CompactTabs.h"

namespace {

// The browser ends this far above the tab row.
constexpr int kBrowserGap = 2;

}  // namespace

CBandTabDlg::CBandTabDlg(CSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kBrowserGap);
    layout->addWidget(&m_wndBrowser, 1);
    layout->addWidget(&m_tab);

    m_tab.setShape(QTabBar::RoundedSouth);
    m_tab.setExpanding(false);
    MakeTabsCompact(m_tab);
    for (int i = 0; i < kChannelTabCount; ++i) {
        m_tab.addTab(QString::fromStdString(ChannelTabText(i)));
    }
    // Connected after the tabs exist, so building the pane lists nothing.
    connect(&m_tab, &QTabBar::currentChanged, this,
            [this](int index) { OnSelChangeChannelTab(index); });
}

void CBandTabDlg::OnSelChangeChannelTab(int tabIndex) {
    if (tabIndex < 0) {
        return;
    }
    m_wndBrowser.m_nChannel = static_cast<std::int16_t>(ChannelOfTab(tabIndex));
    const std::string code = RelistingCode(m_wndBrowser.m_nProduct);
    m_wndBrowser.ListFiles(ReadCatalogueFolder(m_settings), code);
}
