// Every window of the plug-in, made on a fresh installation and shown as the operator sees it:
// the office window with three stations, a station's schedule editor, the count-down before a
// poll and the station's three settings dialogs.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"
#include "autoquery/ui/confirmation/query_form.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"
#include "autosend/ui/auto_send_form.h"
#include "media/ui/flashka_form.h"
#include "platform/cp1251.h"
#include "security/ui/security_form.h"
#include "settings/inet_settings.h"
#include "support/office_window_showing.h"
#include "support/recorded_errors.h"
#include "support/scripted_dialogs.h"
#include "support/temporary_installation.h"

namespace tarvel::testing {

class PluginWindows {
 public:
  PluginWindows() {
    const char* names[] = {"АЗС №1 Центральная", "АЗС №2 Вокзальная", "АЗС №3 Заречье"};
    for (const char* name : names) {
      autoquery::TAzsItem& item = registry_.Add();
      item.AZSName = platform::fromUnicode(QString::fromUtf8(name));
      item.Enable = true;
      item.ConnType = 3;
    }
  }
  ~PluginWindows() { windows_.clear(); }

  // The window of that form name, made and shown; it lives as long as this object.
  QWidget& show(const std::string& formName) {
    QWidget* window = make(formName);
    windows_.emplace_back(window);
    if (auto* office = qobject_cast<autoquery::TAutoZaprosOfficeForm*>(window)) {
      EXPECT_TRUE(showAndWaitForStations(*office));
    } else {
      window->show();
    }
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
    return *window;
  }

  static inline const std::vector<std::string> kFormNames = {
      "TAutoZaprosOfficeForm", "TAutoItemSettForm", "TQueryForm",
      "TAutoSendForm",         "TFlashkaForm",      "TSecurityForm"};

 private:
  QWidget* make(const std::string& formName) {
    if (formName == "TAutoZaprosOfficeForm") return new autoquery::TAutoZaprosOfficeForm(registry_);
    if (formName == "TAutoItemSettForm") {
      auto* editor = new autoquery::TAutoItemSettForm(registry_);
      editor->AZSIndex = 0;
      return editor;
    }
    if (formName == "TQueryForm") {
      auto* countDown = new autoquery::TQueryForm;
      countDown->showStationName(QString::fromUtf8("АЗС №1"));
      countDown->lbS->setText("20");
      return countDown;
    }
    if (formName == "TAutoSendForm") {
      return new autosend::TAutoSendForm(
          inet_, {[] { return HostVariant::fromInteger(0); }, [](int32_t) {}});
    }
    if (formName == "TFlashkaForm") return new media::TFlashkaForm(0);
    if (formName == "TSecurityForm") return new security::TSecurityForm(security_);
    ADD_FAILURE() << "no window " << formName;
    return new QWidget;
  }

  TemporaryInstallation installation_;
  ScriptedDialogs dialogs_;
  RecordedApplicationErrors errors_;
  autoquery::tAutoAZS registry_;
  settings::InetSettings inet_;
  settings::ConnectionSecurity security_;
  std::vector<std::unique_ptr<QWidget>> windows_;
};

}  // namespace tarvel::testing
