#include "media/flashka_form.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QToolButton>

#include "media/exchange_folder_path.h"
#include "media/magnifier_icon.h"
#include "media/word_wrap_check_box.h"
#include "platform/cp1251.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "platform/ui/operator_dialogs.h"
#include "settings/settings_file.h"

namespace tarvel::media {
namespace {

using platform::fromUnicode;
using platform::guarded;
using platform::guardedHandler;
using platform::toUnicode;

// "Настройки сменного носителя"
constexpr const char* kCaption =
    "\xcd\xe0\xf1\xf2\xf0\xee\xe9\xea\xe8 \xf1\xec\xe5\xed\xed\xee\xe3\xee \xed\xee\xf1\xe8\xf2"
    "\xe5\xeb\xff";
// "Введите или выберите путь к сменному носителю:"
constexpr const char* kPathCaption =
    "\xc2\xe2\xe5\xe4\xe8\xf2\xe5 \xe8\xeb\xe8 \xe2\xfb\xe1\xe5\xf0\xe8\xf2\xe5 \xef\xf3\xf2\xfc "
    "\xea \xf1\xec\xe5\xed\xed\xee\xec\xf3 \xed\xee\xf1\xe8\xf2\xe5\xeb\xfe:";
// "Использовать файл запроса с диска"
constexpr const char* kFromDiskCaption =
    "\xc8\xf1\xef\xee\xeb\xfc\xe7\xee\xe2\xe0\xf2\xfc \xf4\xe0\xe9\xeb \xe7\xe0\xef\xf0\xee\xf1"
    "\xe0 \xf1 \xe4\xe8\xf1\xea\xe0";
// "Прикреплять последние изменения по товарам, если нет запроса с офиса"
constexpr const char* kAddTovarUpCaption =
    "\xcf\xf0\xe8\xea\xf0\xe5\xef\xeb\xff\xf2\xfc \xef\xee\xf1\xeb\xe5\xe4\xed\xe8\xe5 \xe8\xe7"
    "\xec\xe5\xed\xe5\xed\xe8\xff \xef\xee \xf2\xee\xe2\xe0\xf0\xe0\xec, \xe5\xf1\xeb\xe8 \xed"
    "\xe5\xf2 \xe7\xe0\xef\xf0\xee\xf1\xe0 \xf1 \xee\xf4\xe8\xf1\xe0";
// "Выберите каталог, в котором будет расположен файл запроса"
constexpr const char* kBrowsePrompt =
    "\xc2\xfb\xe1\xe5\xf0\xe8\xf2\xe5 \xea\xe0\xf2\xe0\xeb\xee\xe3, \xe2 \xea\xee\xf2\xee\xf0"
    "\xee\xec \xe1\xf3\xe4\xe5\xf2 \xf0\xe0\xf1\xef\xee\xeb\xee\xe6\xe5\xed \xf4\xe0\xe9\xeb "
    "\xe7\xe0\xef\xf0\xee\xf1\xe0";

constexpr int kClientWidth = 275;
constexpr int kClientHeight = 149;

// One of the two thin dark bars that join the first switch to the second.
QFrame* makeConnectorBar(QWidget* parent, const char* name, const QRect& geometry) {
  auto* bar = new QFrame(parent);
  bar->setObjectName(name);
  bar->setFrameStyle(QFrame::NoFrame);
  bar->setBackgroundRole(QPalette::Dark);
  bar->setAutoFillBackground(true);
  bar->setGeometry(geometry);
  return bar;
}

}  // namespace

bool showsStationSwitches(uint8_t mode) { return mode == 0 || mode == 2; }

TFlashkaForm::TFlashkaForm(uint8_t mode)
    : SettingsDialog(
          "TFlashkaForm", kCaption, QSize(kClientWidth, kClientHeight),
          Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mode_(mode) {
  createComponents();
  platform::widenToFitCaption(cbFromDisk);
  connectHandlers();
}

void TFlashkaForm::createComponents() {
  Label1 = new QLabel(toUnicode(kPathCaption), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(8, 8, 260, 13);

  eExDisk = new QLineEdit(QStringLiteral("A:\\"), this);
  eExDisk->setObjectName("eExDisk");
  eExDisk->setGeometry(8, 32, 260, 21);
  Label1->setBuddy(eExDisk);

  // Lies over the right end of the edit box, so it is made after it.
  BitBtn3 = new QToolButton(this);
  BitBtn3->setObjectName("BitBtn3");
  BitBtn3->setGeometry(247, 33, 20, 20);
  BitBtn3->setIcon(magnifierIcon());
  BitBtn3->setIconSize(QSize(16, 16));

  createStationSwitches();

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
  Bevel1->setGeometry(3, 110, 269, 3);

  BitBtn1 = platform::makeApplyButton(this, "BitBtn1", {56, 118, 103, 25});
  // The OK kind of button answers Enter.
  BitBtn1->setDefault(true);

  BitBtn2 = platform::makeCancelButton(this, "BitBtn2", {165, 118, 102, 25});
  BitBtn2->setAutoDefault(false);

  Action1 = platform::makeEscapeAction(this, "Action1");
}

void TFlashkaForm::createStationSwitches() {
  pOnAZS = new QFrame(this);
  pOnAZS->setObjectName("pOnAZS");
  pOnAZS->setFrameStyle(QFrame::NoFrame);
  pOnAZS->setGeometry(7, 56, 259, 49);

  cbFromDisk = new QCheckBox(toUnicode(kFromDiskCaption), pOnAZS);
  cbFromDisk->setObjectName("cbFromDisk");
  cbFromDisk->setGeometry(2, 2, 209, 17);

  cbAddTovarUp = new WordWrapCheckBox(toUnicode(kAddTovarUpCaption), pOnAZS);
  cbAddTovarUp->setObjectName("cbAddTovarUp");
  cbAddTovarUp->setGeometry(21, 18, 225, 27);

  Panel1 = makeConnectorBar(pOnAZS, "Panel1", QRect(7, 18, 2, 15));
  Panel2 = makeConnectorBar(pOnAZS, "Panel2", QRect(7, 31, 13, 2));
}

void TFlashkaForm::connectHandlers() {
  connect(cbFromDisk, &QCheckBox::toggled, this,
          guardedHandler([this](bool) { cbFromDiskClick(); }));
  connect(BitBtn1, &QPushButton::clicked, this, guardedHandler([this](bool) { BitBtn1Click(); }));
  connect(BitBtn2, &QPushButton::clicked, this, guardedHandler([this](bool) { reject(); }));
  connect(BitBtn3, &QToolButton::clicked, this, guardedHandler([this](bool) { BitBtn3Click(); }));
  connect(Action1, &QAction::triggered, this, guardedHandler([this](bool) { Action1Execute(); }));
}

void TFlashkaForm::FormShow() {
  pOnAZS->setVisible(showsStationSwitches(mode_));
  const settings::RemovableMediaSettings media = settings::readRemovableMediaSettings();
  eExDisk->setText(toUnicode(media.ExDisk));
  cbFromDisk->setChecked(media.ConfigFromDisk);
  // The toggle handler runs only on a change; the enabled state must follow in any case.
  cbFromDiskClick();
  cbAddTovarUp->setChecked(media.AutoAddTovarUp);
  // Only the edit gets the closing backslash; the file keeps what it has until Apply. An empty
  // path stays empty rather than turning into "\", the root of the current drive.
  eExDisk->setText(withClosingBackslash(eExDisk->text()));
}

void TFlashkaForm::BitBtn1Click() {
  const settings::RemovableMediaSettings media{fromUnicode(eExDisk->text()),
                                               cbFromDisk->isChecked(), cbAddTovarUp->isChecked()};
  // A failed write is reported to the operator, and the dialog closes all the same; it then
  // answers Rejected, since nothing was saved.
  bool saved = false;
  guarded([&] {
    settings::writeRemovableMediaSettings(media, showsStationSwitches(mode_));
    saved = true;
  });
  done(saved ? Accepted : Rejected);
}

void TFlashkaForm::BitBtn3Click() {
  const std::optional<std::string> chosen = platform::operatorDialogs().browseForFolder(
      this, kBrowsePrompt, fromUnicode(browserStartFolder(eExDisk->text())));
  if (chosen) eExDisk->setText(editTextForChosenFolder(toUnicode(*chosen)));
}

void TFlashkaForm::cbFromDiskClick() { cbAddTovarUp->setEnabled(!cbFromDisk->isChecked()); }

void TFlashkaForm::Action1Execute() { reject(); }

}  // namespace tarvel::media
