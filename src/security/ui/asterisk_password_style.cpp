#include "security/ui/asterisk_password_style.h"

#include <QApplication>
#include <QLineEdit>
#include <QProxyStyle>

namespace tarvel::security {
namespace {

class AsteriskPasswordStyle final : public QProxyStyle {
 public:
  // A proxy of a fresh instance of the application's style, which the proxy owns.
  AsteriskPasswordStyle() : QProxyStyle(QApplication::style()->name()) {}

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

void showAsterisksForPassword(QLineEdit* edit) {
  auto* style = new AsteriskPasswordStyle;
  // The widget only points at its style; as the edit's child it goes with the edit.
  style->setParent(edit);
  edit->setStyle(style);
}

}  // namespace tarvel::security
