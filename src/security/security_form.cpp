#include "security/security_form.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>

#include "platform/cp1251.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "settings/settings_file.h"

namespace tarvel::security {
namespace {

using platform::guarded;
using platform::guardedHandler;
using platform::toUnicode;

// "Безопасность соединения"
constexpr const char* kCaption =
    "\xc1\xe5\xe7\xee\xef\xe0\xf1\xed\xee\xf1\xf2\xfc \xf1\xee\xe5\xe4\xe8\xed\xe5\xed\xe8\xff";
// "Применять пароль при прямых интернет и модемных соединениях " (the closing blank is the
// form's own)
constexpr const char* kEnablePasswordCaption =
    "\xcf\xf0\xe8\xec\xe5\xed\xff\xf2\xfc \xef\xe0\xf0\xee\xeb\xfc \xef\xf0\xe8 \xef\xf0\xff\xec"
    "\xfb\xf5 \xe8\xed\xf2\xe5\xf0\xed\xe5\xf2 \xe8 \xec\xee\xe4\xe5\xec\xed\xfb\xf5 \xf1\xee"
    "\xe5\xe4\xe8\xed\xe5\xed\xe8\xff\xf5 ";
// "Пароль:"
constexpr const char* kPasswordCaption = "\xcf\xe0\xf0\xee\xeb\xfc:";
// "Показывать пароль"
constexpr const char* kShowPasswordCaption =
    "\xcf\xee\xea\xe0\xe7\xfb\xe2\xe0\xf2\xfc \xef\xe0\xf0\xee\xeb\xfc";

constexpr int kClientWidth = 396;
constexpr int kClientHeight = 139;
constexpr int kButtonBarHeight = 35;

QFrame* makeRaisedPanel(QWidget* parent, const char* name) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  return panel;
}

}  // namespace

TSecurityForm::TSecurityForm(settings::ConnectionSecurity& security)
    : SettingsDialog(
          "TSecurityForm", kCaption, QSize(kClientWidth, kClientHeight),
          Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      security_(security) {
  createComponents();
  // The label sizes itself to its caption, as the form's auto-sized label does.
  Label1->adjustSize();
  platform::widenToFitCaption(cb_EnPass);
  platform::widenToFitCaption(CheckBox1);
  connectHandlers();
}

void TSecurityForm::createComponents() {
  panAZS = makeRaisedPanel(this, "panAZS");
  panAZS->setGeometry(0, 0, kClientWidth, kClientHeight - kButtonBarHeight);

  cb_EnPass = new QCheckBox(toUnicode(kEnablePasswordCaption), panAZS);
  cb_EnPass->setObjectName("cb_EnPass");
  cb_EnPass->setGeometry(16, 19, 361, 17);

  Label1 = new QLabel(toUnicode(kPasswordCaption), panAZS);
  Label1->setObjectName("Label1");
  Label1->move(48, 52);

  edPass = new QLineEdit(panAZS);
  edPass->setObjectName("edPass");
  edPass->setGeometry(120, 49, 179, 21);
  edPass->setEchoMode(QLineEdit::Password);
  Label1->setBuddy(edPass);

  CheckBox1 = new QCheckBox(toUnicode(kShowPasswordCaption), panAZS);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox1->setGeometry(120, 76, 129, 17);

  Panel2 = makeRaisedPanel(this, "Panel2");
  Panel2->setGeometry(0, kClientHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight);

  BitBtn1 = platform::makeApplyButton(Panel2, "BitBtn1", {168, 6, 105, 25});
  BitBtn1->setAutoDefault(false);

  BitBtn2 = platform::makeCancelButton(Panel2, "BitBtn2", {288, 6, 99, 25});
  BitBtn2->setAutoDefault(false);

  Action1 = platform::makeEscapeAction(this, "Action1");

  setTabOrder(cb_EnPass, edPass);
  setTabOrder(edPass, CheckBox1);
  setTabOrder(CheckBox1, BitBtn1);
  setTabOrder(BitBtn1, BitBtn2);
}

void TSecurityForm::connectHandlers() {
  // Only a change of state reaches the handler: the first showing with the password switched
  // off therefore leaves edPass enabled, as the dialog always did.
  connect(cb_EnPass, &QCheckBox::toggled, this, guardedHandler([this](bool) { cb_EnPassClick(); }));
  connect(CheckBox1, &QCheckBox::toggled, this, guardedHandler([this](bool) { CheckBox1Click(); }));
  connect(BitBtn1, &QPushButton::clicked, this, guardedHandler([this](bool) { BitBtn1Click(); }));
  connect(BitBtn2, &QPushButton::clicked, this, guardedHandler([this](bool) { BitBtn2Click(); }));
  connect(Action1, &QAction::triggered, this, guardedHandler([this](bool) { Action1Execute(); }));
}

void TSecurityForm::FormShow() {
  edPass->setText(toUnicode(security_.ConnectionPassword));
  cb_EnPass->setChecked(security_.PasswordEnable);
}

void TSecurityForm::cb_EnPassClick() { edPass->setEnabled(cb_EnPass->isChecked()); }

void TSecurityForm::CheckBox1Click() {
  edPass->setEchoMode(CheckBox1->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
}

void TSecurityForm::BitBtn1Click() {
  // The limit counts Windows-1251 bytes, the form the password is kept and stored in.
  security_.ConnectionPassword =
      platform::fromUnicode(edPass->text()).substr(0, settings::kMaximumPasswordLength);
  security_.PasswordEnable = cb_EnPass->isChecked();
  // A failed write ends Apply here: the dialog stays open with the values already in memory.
  settings::writeConnectionSecurity(security_);
  close();
}

void TSecurityForm::BitBtn2Click() { close(); }

void TSecurityForm::Action1Execute() { close(); }

}  // namespace tarvel::security
