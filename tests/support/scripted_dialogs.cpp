#include "support/scripted_dialogs.h"

#include <QDialog>

#include "platform/cp1251.h"

namespace tarvel::testing {
namespace {

template <typename Answer>
Answer takeFront(std::deque<Answer>& answers, Answer whenEmpty) {
  if (answers.empty()) return whenEmpty;
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

ScriptedDialogs::ScriptedDialogs() { platform::setOperatorDialogsForTests(this); }

ScriptedDialogs::~ScriptedDialogs() { platform::setOperatorDialogsForTests(nullptr); }

bool ScriptedDialogs::askYesNo(QWidget* owner, const std::string& title, const std::string& text) {
  asked.push_back({"question", title, text, {}, owner});
  if (whileQuestionOpen) whileQuestionOpen();
  return takeFront(yesNoAnswers, false);
}

void ScriptedDialogs::showMessage(QWidget* owner, const std::string& title,
                                  const std::string& text) {
  asked.push_back({"message", title, text, {}, owner});
}

std::optional<std::string> ScriptedDialogs::inputBox(const std::string& title,
                                                     const std::string& prompt,
                                                     const std::string& initialText) {
  asked.push_back({"input", title, prompt, initialText, nullptr});
  return takeFront<std::optional<std::string>>(inputAnswers, std::nullopt);
}

std::optional<std::string> ScriptedDialogs::browseForFolder(QWidget* owner,
                                                            const std::string& prompt,
                                                            const std::string& startFolder) {
  asked.push_back({"folder", {}, prompt, startFolder, owner});
  return takeFront<std::optional<std::string>>(folderAnswers, std::nullopt);
}

void ScriptedDialogs::showBareMessage(const std::string& text) {
  asked.push_back({"bare message", {}, text, {}, nullptr});
}

int ScriptedDialogs::runModal(QDialog& dialog) {
  asked.push_back({"modal",
                   platform::fromUnicode(dialog.windowTitle()),
                   dialog.objectName().toStdString(),
                   {},
                   nullptr});
  dialog.setResult(QDialog::Rejected);
  dialog.show();
  if (!modalActions.empty()) {
    const std::function<void(QDialog&)> action = std::move(modalActions.front());
    modalActions.pop_front();
    action(dialog);
  }
  if (dialog.isVisible()) {
    dialog.hide();
    return QDialog::Rejected;
  }
  return dialog.result();
}

}  // namespace tarvel::testing
