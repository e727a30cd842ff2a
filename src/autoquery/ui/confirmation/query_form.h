// TQueryForm: the count-down that asks the operator before an automatic poll of a station.
// Apply, Enter or the end of the count-down let the poll go ahead; Cancel or Esc stop it.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QPushButton;
class QTimer;

namespace tarvel::autoquery {

class TQueryForm : public QDialog {
  Q_OBJECT

 public:
  // Always on top at the top left corner of the screen, without title-bar buttons; it belongs to
  // the window the operator works in when it is shown, so that no click on another window hides
  // it. Its one-second timer runs from here on.
  TQueryForm();

  QLabel* Label1 = nullptr;
  QLabel* lbAZS = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* lbS = nullptr;  // the seconds left: its caption is the counter itself
  QLabel* Label3 = nullptr;
  QPushButton* BitBtn1 = nullptr;
  QPushButton* BitBtn2 = nullptr;
  QTimer* Timer1 = nullptr;

  // Puts the station's name in lbAZS, widening the window when the name needs more room.
  void showStationName(const QString& name);

  // One tick: the counter goes down by one; below zero the dialog ends as if Apply was pressed.
  void Timer1Timer();

  // Whether the program closed the dialog (close(), as a host does with its modal windows when
  // it quits) rather than the operator or the count-down.
  bool closedByProgram() const { return closedByProgram_; }

 protected:
  // BitBtn1 and BitBtn2 are anchored to the right and bottom edges.
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void createComponents();

  bool closedByProgram_ = false;
};

// Asks about an automatic poll of stationName (Windows-1251), counting down from seconds.
// True when the poll may go ahead: Apply, Enter or the end of the count-down.
bool ConfirmAutoQuery(const std::string& stationName, int32_t seconds);

// How the question of ConfirmAutoQuery ended: Apply, Enter or the end of the count-down;
// Cancel or Esc (also a close by the window system, which the operator asked for); or no answer:
// the program closed the dialog, or the application's exit ended its loop with it still open.
enum class AutoQueryAnswer { Proceed, Declined, Unanswered };
AutoQueryAnswer AskAutoQuery(const std::string& stationName, int32_t seconds);

// Ends every confirmation that is open as Cancel would: its ConfirmAutoQuery returns false.
void closeOpenConfirmations();

}  // namespace tarvel::autoquery
