// The reference host's main window: the menu bar the plug-in extends, the message pane, and the
// panel of answers the host gives through its call-back.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <memory>

namespace tarvel::host {

class HostControlPanel;
class MessagePane;
class QtMenuItem;
class ReferenceHostCallback;

class HostWindow final : public QMainWindow {
  Q_OBJECT

 public:
  // mode is the plug-in's load mode (it decides the control panel's defaults and the caption of
  // a pre-made communication menu). With hostMenuHasLink the host brings that menu with its own
  // "Настройки" submenu, as some host versions do.
  HostWindow(uint8_t mode, bool hostMenuHasLink, QWidget* parent = nullptr);
  ~HostWindow() override;

  MessagePane* messagePane;
  HostControlPanel* controlPanel;

  QtMenuItem& mainMenu() { return *mainMenu_; }
  ReferenceHostCallback& callback() { return *callback_; }

 protected:
  // Closing the main window ends the host, whatever plug-in windows are still open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void addOwnMenus(uint8_t mode, bool hostMenuHasLink);

  std::unique_ptr<QtMenuItem> mainMenu_;
  std::unique_ptr<ReferenceHostCallback> callback_;
};

}  // namespace tarvel::host
