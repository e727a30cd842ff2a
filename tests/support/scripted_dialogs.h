// Operator dialogs answered by the test: each kind of dialog takes its answers from a queue
// and records what it was asked. Installed for the lifetime of the object.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/operator_dialogs.h"

namespace tarvel::testing {

class ScriptedDialogs final : public platform::OperatorDialogs {
 public:
  ScriptedDialogs();
  ~ScriptedDialogs() override;

  struct Asked {
    std::string kind;  // "question", "message", "input" or "folder"
    std::string title;
    std::string text;         // the question, message or prompt
    std::string initialText;  // input box's initial text, folder chooser's start folder
    QWidget* owner = nullptr;
  };
  std::vector<Asked> asked;

  // Answers, taken front first. An empty queue answers No / cancel.
  std::deque<bool> yesNoAnswers;
  std::deque<std::optional<std::string>> inputAnswers;
  std::deque<std::optional<std::string>> folderAnswers;
  // Acts on each dialog run modally, front first. The real dialog is shown (not modally) while
  // the action runs; the result is what the action left it with. A dialog that the action left
  // open, or one that met an empty queue, is closed with the result Rejected.
  std::deque<std::function<void(QDialog&)>> modalActions;

  bool askYesNo(QWidget* owner, const std::string& title, const std::string& text) override;
  void showMessage(QWidget* owner, const std::string& title, const std::string& text) override;
  std::optional<std::string> inputBox(const std::string& title, const std::string& prompt,
                                      const std::string& initialText) override;
  std::optional<std::string> browseForFolder(QWidget* owner, const std::string& prompt,
                                             const std::string& startFolder) override;
  // Recorded as kind "bare message".
  void showBareMessage(const std::string& text) override;
  // Recorded as kind "modal" with the window title and, as text, the dialog's objectName.
  int runModal(QDialog& dialog) override;

  // Runs while a question is open, before it is answered: lets a test see what happens when
  // timers tick behind a modal question.
  std::function<void()> whileQuestionOpen;
};

}  // namespace tarvel::testing
