#include "host/host_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QMenuBar>
#include <QShortcut>

#include "host/host_callback.h"
#include "host/host_control_panel.h"
#include "host/host_texts.h"
#include "host/menu_item.h"
#include "host/message_pane.h"
#include "platform/cp1251.h"
#include "platform/ui/error_guard.h"

namespace tarvel::host {
namespace {

constexpr uint8_t kOfficeHostMode = 1;

}  // namespace

HostWindow::HostWindow(uint8_t mode, bool hostMenuHasLink, QWidget* parent) : QMainWindow(parent) {
  setObjectName("HostWindow");
  setWindowTitle(platform::toUnicode(text::kWindowTitle));
  resize(960, 600);

  messagePane = new MessagePane(this);
  setCentralWidget(messagePane);

  controlPanel = new HostControlPanel(mode, this);
  auto* dock = new QDockWidget(platform::toUnicode(text::kHostControls), this);
  dock->setObjectName("hostControlsDock");
  dock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  dock->setWidget(controlPanel);
  addDockWidget(Qt::RightDockWidgetArea, dock);

  mainMenu_ = std::make_unique<QtMenuItem>(menuBar());
  callback_ = std::make_unique<ReferenceHostCallback>(*controlPanel, *messagePane, *mainMenu_);
  addOwnMenus(mode, hostMenuHasLink);

  // F10 opens the menu bar's first menu; the arrow keys go on from there.
  auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
  connect(menuKey, &QShortcut::activated, this, platform::guardedHandler([this] {
            for (QAction* menu : menuBar()->actions()) {
              if (menu->isVisible() && menu->isEnabled()) {
                menuBar()->setActiveAction(menu);
                return;
              }
            }
          }));

  connect(controlPanel, &HostControlPanel::shiftClosed, this,
          platform::guardedHandler([this](int newShiftNumber) {
            messagePane->addLine(platform::toUnicode(text::kShiftClosed) +
                                 QString::number(newShiftNumber));
          }));
}

HostWindow::~HostWindow() {
  // The call-back and the items go while the menu bar they refer to still exists.
  callback_.reset();
  mainMenu_.reset();
}

void HostWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) QCoreApplication::exit(0);
}

void HostWindow::addOwnMenus(uint8_t mode, bool hostMenuHasLink) {
  QtMenuItem* fileMenu = mainMenu_->appendChild(text::kFileMenu);
  fileMenu->appendChild(text::kExit)->setOnClick([this] { close(); });
  if (hostMenuHasLink) {
    QtMenuItem* linkMenu = mainMenu_->appendChild(mode == kOfficeHostMode ? text::kLinkMenuOffice
                                                                          : text::kLinkMenuStation);
    QtMenuItem* settingsMenu = linkMenu->appendChild(text::kSettingsMenu);
    settingsMenu->appendChild(text::kHostSettings);
  }
}

}  // namespace tarvel::host
