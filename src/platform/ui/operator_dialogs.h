// Operator dialogs: the question, message, input and folder boxes that the plug-in shows.
// Texts in and out are Windows-1251; the conversion to the widgets happens here. In production
// these are real Qt dialogs; a test installs an OperatorDialogs of its own to answer them. A box
// given a shown owner is its child; any other belongs to the window the operator works in (see
// window_owner.h).
#pragma once

#include <optional>
#include <string>

class QDialog;
class QWidget;

namespace tarvel::platform {

class OperatorDialogs {
 public:
  virtual ~OperatorDialogs() = default;

  // A Yes/No question with the question icon, kept on top; true when the answer is Yes.
  virtual bool askYesNo(QWidget* owner, const std::string& title, const std::string& text) = 0;
  // A message with an OK button.
  virtual void showMessage(QWidget* owner, const std::string& title, const std::string& text) = 0;
  // A one-line input box; the entered text, or std::nullopt when the operator cancels.
  virtual std::optional<std::string> inputBox(const std::string& title, const std::string& prompt,
                                              const std::string& initialText) = 0;
  // The system's folder chooser starting at startFolder; the chosen folder as a native path,
  // or std::nullopt when the operator cancels.
  virtual std::optional<std::string> browseForFolder(QWidget* owner, const std::string& prompt,
                                                     const std::string& startFolder) = 0;
  // A bare message: the text and an OK button, no title, no icon, no owner given, kept on top.
  virtual void showBareMessage(const std::string& text) = 0;
  // Runs a dialog of the plug-in modally (QDialog::exec) and returns its result code. A test
  // answers by acting on the real dialog instead.
  virtual int runModal(QDialog& dialog) = 0;
};

// The dialogs in force: the Qt ones unless a test installed others.
OperatorDialogs& operatorDialogs();

// Test seam: answer every dialog through these (not owned); nullptr restores the Qt dialogs.
void setOperatorDialogsForTests(OperatorDialogs* dialogs);

}  // namespace tarvel::platform
