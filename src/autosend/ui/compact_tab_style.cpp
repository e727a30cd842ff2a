#include "autosend/ui/compact_tab_style.h"

#include <QApplication>
#include <QProxyStyle>
#include <QTabBar>

#include "platform/ui/form_font.h"

namespace tarvel::autosend {
namespace {

// One pixel beside the caption, three above and below it, as drawn.
constexpr int kHorizontalMargins = 2;
constexpr int kVerticalMargins = 6;

class CompactTabStyle final : public QProxyStyle {
 public:
  // A proxy of a fresh instance of the application's style, which the proxy owns.
  CompactTabStyle() : QProxyStyle(QApplication::style()->name()) {}

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    if (metric == PM_TabBarTabHSpace) return platform::scaled(kHorizontalMargins);
    if (metric == PM_TabBarTabVSpace) return platform::scaled(kVerticalMargins);
    return QProxyStyle::pixelMetric(metric, option, widget);
  }

  // The tab is its caption with the margins above, and nothing more.
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    if (type == CT_TabBarTab) return size;
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  }
};

}  // namespace

void useCompactTabs(QTabBar* tabs) {
  auto* style = new CompactTabStyle;
  // The widget only points at its style; as the tab bar's child it goes with the tab bar.
  style->setParent(tabs);
  tabs->setStyle(style);
}

}  // namespace tarvel::autosend
