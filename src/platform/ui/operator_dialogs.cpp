#include "platform/ui/operator_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/cp1251.h"
#include "platform/platform_texts.h"
#include "platform/ui/window_owner.h"

namespace tarvel::platform {
namespace {

// A box is the child of a shown owner; without one (or while it is hidden) it belongs to the
// window the operator works in, with no parent that would own it.
QWidget* shownOrNone(QWidget* owner) {
  return owner != nullptr && owner->isVisible() ? owner : nullptr;
}

void belongWithoutParent(QWidget& box) {
  if (box.parentWidget() == nullptr) belongToOwner(box);
}

class QtOperatorDialogs final : public OperatorDialogs {
 public:
  bool askYesNo(QWidget* owner, const std::string& title, const std::string& text) override {
    QMessageBox box(QMessageBox::Question, toUnicode(title), toUnicode(text),
                    QMessageBox::Yes | QMessageBox::No, shownOrNone(owner));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    belongWithoutParent(box);
    box.button(QMessageBox::Yes)->setText(toUnicode(text::kYes));
    box.button(QMessageBox::No)->setText(toUnicode(text::kNo));
    return box.exec() == QMessageBox::Yes;
  }

  void showMessage(QWidget* owner, const std::string& title, const std::string& text) override {
    QMessageBox box(QMessageBox::Information, toUnicode(title), toUnicode(text), QMessageBox::Ok,
                    shownOrNone(owner));
    belongWithoutParent(box);
    box.exec();
  }

  std::optional<std::string> inputBox(const std::string& title, const std::string& prompt,
                                      const std::string& initialText) override {
    QInputDialog box;
    box.setWindowTitle(toUnicode(title));
    box.setLabelText(toUnicode(prompt));
    box.setTextValue(toUnicode(initialText));
    box.setOkButtonText(toUnicode(text::kOk));
    box.setCancelButtonText(toUnicode(text::kCancel));
    belongWithoutParent(box);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return fromUnicode(box.textValue());
  }

  std::optional<std::string> browseForFolder(QWidget* owner, const std::string& prompt,
                                             const std::string& startFolder) override {
    const QString folder = QFileDialog::getExistingDirectory(
        owner, toUnicode(prompt), toUnicode(startFolder), QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) return std::nullopt;
    return fromUnicode(folder);
  }

  void showBareMessage(const std::string& text) override {
    QMessageBox box(QMessageBox::NoIcon, QString(), toUnicode(text), QMessageBox::Ok);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowModality(Qt::ApplicationModal);
    belongWithoutParent(box);
    box.exec();
  }

  int runModal(QDialog& dialog) override { return dialog.exec(); }
};

OperatorDialogs*& installedDialogs() {
  static OperatorDialogs* dialogs = nullptr;
  return dialogs;
}

}  // namespace

OperatorDialogs& operatorDialogs() {
  static QtOperatorDialogs qtDialogs;
  return installedDialogs() != nullptr ? *installedDialogs() : qtDialogs;
}

void setOperatorDialogsForTests(OperatorDialogs* dialogs) { installedDialogs() = dialogs; }

}  // namespace tarvel::platform
