#include "dialogs/CompactTabs.h"

#include <QApplication>
#include <QProxyStyle>
#include <QTabBar>

namespace {

// Pixels beside a tab's text, left and right together.
constexpr int kTabTextSpace = 12;

class CCompactTabStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_TabBarTabHSpace) {
            return kTabTextSpace;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

}  // namespace

void MakeTabsCompact(QTabBar& tabs) {
    auto* style = new CCompactTabStyle(QApplication::style()->name());
    style->setParent(&tabs);
    tabs.setStyle(style);
}
