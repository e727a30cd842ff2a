#include "security/ui/security_form.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/cp1251.h"
#include "platform/ui/components.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "security/core/connection_password.h"
#include "security/core/security_texts.h"
#include "security/ui/asterisk_password_style.h"

namespace tarvel::security {
namespace {

using platform::guarded;
using platform::placeComponent;
using platform::toUnicode;

constexpr int kClientWidth = 396;
constexpr int kClientHeight = 139;
constexpr int kButtonBarHeight = 35;

QFrame* placeRaisedPanel(QWidget* parent, const char* name, const QRect& geometry) {
  auto* panel = placeComponent<QFrame>(parent, name, geometry);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  return panel;
}

}  // namespace

TSecurityForm::TSecurityForm(settings::ConnectionSecurity& security)
    : SettingsDialog(
          "TSecurityForm", text::kCaption, QSize(kClientWidth, kClientHeight),
          Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      security_(security) {
  createComponents();
  platform::widenToFitCaption(cb_EnPass);
  platform::widenToFitCaption(CheckBox1);
  connectHandlers();
}

void TSecurityForm::createComponents() {
  panAZS = placeRaisedPanel(this, "panAZS", {0, 0, kClientWidth, kClientHeight - kButtonBarHeight});
  cb_EnPass = placeComponent<QCheckBox>(panAZS, "cb_EnPass", {16, 19, 361, 17},
                                        text::kEnablePasswordCaption);
  Label1 = platform::placeLabel<QLabel>(panAZS, "Label1", {48, 52}, text::kPasswordCaption);

  edPass = placeComponent<QLineEdit>(panAZS, "edPass", {120, 49, 179, 21});
  edPass->setEchoMode(QLineEdit::Password);
  showAsterisksForPassword(edPass);
  Label1->setBuddy(edPass);

  CheckBox1 = placeComponent<QCheckBox>(panAZS, "CheckBox1", {120, 76, 129, 17},
                                        text::kShowPasswordCaption);

  Panel2 = placeRaisedPanel(this, "Panel2",
                            {0, kClientHeight - kButtonBarHeight, kClientWidth, kButtonBarHeight});
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
  // Each handler guards itself, so the connections need no guard of their own. Only a change
  // of state reaches cb_EnPassClick: the first showing with the password switched off
  // therefore leaves edPass enabled, as the dialog always did.
  connect(cb_EnPass, &QCheckBox::toggled, this, &TSecurityForm::cb_EnPassClick);
  connect(CheckBox1, &QCheckBox::toggled, this, &TSecurityForm::CheckBox1Click);
  connect(BitBtn1, &QPushButton::clicked, this, &TSecurityForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TSecurityForm::BitBtn2Click);
  connect(Action1, &QAction::triggered, this, &TSecurityForm::Action1Execute);
}

void TSecurityForm::FormShow() {
  guarded([this] {
    edPass->setText(toUnicode(security_.ConnectionPassword));
    cb_EnPass->setChecked(security_.PasswordEnable);
  });
}

void TSecurityForm::cb_EnPassClick() {
  guarded([this] { edPass->setEnabled(cb_EnPass->isChecked()); });
}

void TSecurityForm::CheckBox1Click() {
  guarded([this] {
    edPass->setEchoMode(CheckBox1->isChecked() ? QLineEdit::Normal : QLineEdit::Password);
  });
}

void TSecurityForm::BitBtn1Click() {
  guarded([this] {
    // A failed write ends Apply here: the dialog stays open with the values already in memory.
    applyConnectionPassword(security_, platform::fromUnicode(edPass->text()),
                            cb_EnPass->isChecked());
    close();
  });
}

void TSecurityForm::BitBtn2Click() {
  guarded([this] { close(); });
}

void TSecurityForm::Action1Execute() {
  guarded([this] { close(); });
}

}  // namespace tarvel::security
