#include "media/ui/flashka_form.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "media/core/exchange_folder_path.h"
#include "media/core/media_texts.h"
#include "media/ui/magnifier_icon.h"
#include "media/ui/word_wrap_check_box.h"
#include "platform/cp1251.h"
#include "platform/ui/components.h"
#include "platform/ui/dialog_buttons.h"
#include "platform/ui/error_guard.h"
#include "platform/ui/form_font.h"
#include "platform/ui/operator_dialogs.h"
#include "settings/settings_file.h"

namespace tarvel::media {
namespace {

using platform::fromUnicode;
using platform::guarded;
using platform::placeComponent;
using platform::toUnicode;

constexpr int kClientWidth = 275;
constexpr int kClientHeight = 149;

// One of the two thin dark bars that join the first switch to the second.
QFrame* makeConnectorBar(QWidget* parent, const char* name, const QRect& geometry) {
  auto* bar = placeComponent<QFrame>(parent, name, geometry);
  bar->setFrameStyle(QFrame::NoFrame);
  bar->setBackgroundRole(QPalette::Dark);
  bar->setAutoFillBackground(true);
  return bar;
}

}  // namespace

bool showsStationSwitches(uint8_t mode) { return mode == 0 || mode == 2; }

TFlashkaForm::TFlashkaForm(uint8_t mode)
    : SettingsDialog(
          "TFlashkaForm", text::kCaption, QSize(kClientWidth, kClientHeight),
          Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      mode_(mode) {
  createComponents();
  platform::widenToFitCaption(cbFromDisk);
  connectHandlers();
}

void TFlashkaForm::createComponents() {
  Label1 = placeComponent<QLabel>(this, "Label1", {8, 8, 260, 13}, text::kPathCaption);
  eExDisk = placeComponent<QLineEdit>(this, "eExDisk", {8, 32, 260, 21}, "A:\\");
  Label1->setBuddy(eExDisk);

  // Lies over the right end of the edit box, so it is made after it.
  BitBtn3 = placeComponent<QToolButton>(this, "BitBtn3", {247, 33, 20, 20});
  BitBtn3->setIcon(magnifierIcon(BitBtn3->palette().color(BitBtn3->backgroundRole())));
  BitBtn3->setIconSize(QSize(16, 16));

  createStationSwitches();

  Bevel1 = placeComponent<QFrame>(this, "Bevel1", {3, 110, 269, 3});
  Bevel1->setFrameStyle(QFrame::HLine | QFrame::Sunken);

  BitBtn1 = platform::makeApplyButton(this, "BitBtn1", {56, 118, 103, 25});
  // The OK kind of button answers Enter.
  BitBtn1->setDefault(true);

  BitBtn2 = platform::makeCancelButton(this, "BitBtn2", {165, 118, 102, 25});
  BitBtn2->setAutoDefault(false);

  Action1 = platform::makeEscapeAction(this, "Action1");
}

void TFlashkaForm::createStationSwitches() {
  pOnAZS = placeComponent<QFrame>(this, "pOnAZS", {7, 56, 259, 49});
  pOnAZS->setFrameStyle(QFrame::NoFrame);

  cbFromDisk =
      placeComponent<QCheckBox>(pOnAZS, "cbFromDisk", {2, 2, 209, 17}, text::kFromDiskCaption);
  cbAddTovarUp = placeComponent<WordWrapCheckBox>(pOnAZS, "cbAddTovarUp", {21, 18, 225, 27},
                                                  text::kAddTovarUpCaption);

  Panel1 = makeConnectorBar(pOnAZS, "Panel1", QRect(7, 18, 2, 15));
  Panel2 = makeConnectorBar(pOnAZS, "Panel2", QRect(7, 31, 13, 2));
}

void TFlashkaForm::connectHandlers() {
  // Each handler guards itself, so the connections need no guard of their own.
  connect(cbFromDisk, &QCheckBox::toggled, this, &TFlashkaForm::cbFromDiskClick);
  connect(BitBtn1, &QPushButton::clicked, this, &TFlashkaForm::BitBtn1Click);
  connect(BitBtn2, &QPushButton::clicked, this, &TFlashkaForm::BitBtn2Click);
  connect(BitBtn3, &QToolButton::clicked, this, &TFlashkaForm::BitBtn3Click);
  connect(Action1, &QAction::triggered, this, &TFlashkaForm::Action1Execute);
}

void TFlashkaForm::changeEvent(QEvent* event) {
  SettingsDialog::changeEvent(event);
  if (event->type() != QEvent::PaletteChange || BitBtn3 == nullptr) return;
  // The window hears of the change before the button does: the button's colour is read here.
  guarded([this] { BitBtn3->setIcon(magnifierIcon(palette().color(BitBtn3->backgroundRole()))); });
}

void TFlashkaForm::FormShow() {
  guarded([this] {
    pOnAZS->setVisible(showsStationSwitches(mode_));
    const settings::RemovableMediaSettings media = settings::readRemovableMediaSettings();
    eExDisk->setText(toUnicode(media.ExDisk));
    cbFromDisk->setChecked(media.ConfigFromDisk);
    // The toggle handler runs only on a change; the enabled state must follow in any case.
    cbFromDiskClick();
    cbAddTovarUp->setChecked(media.AutoAddTovarUp);
    // Only the edit gets the closing backslash; the file keeps what it has until Apply. An
    // empty path stays empty rather than turning into "\", the root of the current drive.
    eExDisk->setText(withClosingBackslash(eExDisk->text()));
  });
}

void TFlashkaForm::BitBtn1Click() {
  // A failed write is reported to the operator, and the dialog closes all the same; it then
  // answers Rejected, since nothing was saved.
  bool saved = false;
  guarded([&] {
    const settings::RemovableMediaSettings media{
        fromUnicode(eExDisk->text()), cbFromDisk->isChecked(), cbAddTovarUp->isChecked()};
    settings::writeRemovableMediaSettings(media, showsStationSwitches(mode_));
    saved = true;
  });
  done(saved ? Accepted : Rejected);
}

void TFlashkaForm::BitBtn2Click() {
  guarded([this] { reject(); });
}

void TFlashkaForm::BitBtn3Click() {
  guarded([this] {
    const std::optional<std::string> chosen = platform::operatorDialogs().browseForFolder(
        this, text::kBrowsePrompt, fromUnicode(browserStartFolder(eExDisk->text())));
    if (chosen) eExDisk->setText(editTextForChosenFolder(toUnicode(*chosen)));
  });
}

void TFlashkaForm::cbFromDiskClick() {
  guarded([this] { cbAddTovarUp->setEnabled(!cbFromDisk->isChecked()); });
}

void TFlashkaForm::Action1Execute() {
  guarded([this] { reject(); });
}

}  // namespace tarvel::media
