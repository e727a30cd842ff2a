#include "plugin/ui/lifecycle.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <optional>

#include "autoquery/core/auto_azs.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autosend/ui/auto_send_form.h"
#include "platform/clock.h"
#include "platform/profile_file.h"
#include "plugin/plugin_fixture.h"
#include "plugin/ui/menu_proc.h"
#include "plugin/ui/module_state.h"

namespace tarvel::testing {
namespace {

using ::testing::ElementsAre;

const std::string kNotFound =
    "\xcd\xe5\xed\xe0\xe9\xe4\xe5\xed\xe0 \xe1\xe8\xe1\xeb\xe8\xee\xf2\xe5\xea\xe0 ";

class Lifecycle : public PluginTest {
 protected:
  // Only the named siblings, copied from beside the test program into a folder of their own.
  void keepOnlySiblings(std::initializer_list<const char*> fileNames) {
    const auto folder = installation.root() / "program";
    std::filesystem::create_directories(folder);
    for (const char* fileName : fileNames) {
      std::filesystem::copy_file(platform::programFolder() / fileName, folder / fileName);
    }
    platform::setProgramFolderForTests(folder);
  }

  std::size_t callIndex(const std::string& call) const {
    return std::find(host.calls.begin(), host.calls.end(), call) - host.calls.begin();
  }
};

TEST_F(Lifecycle, LoadsEverySiblingInOrderAndUnLoadReleasesThemInItsOwn) {
  ASSERT_EQ(load(0), 0);
  EXPECT_THAT(siblingCalls(),
              ElementsAre("Orvaly.dll Load(4321,0,callback)", "Kestrin.dll Load(4321,0,callback)",
                          "Pellow.dll Load(4321,0,callback)", "Dravik.dll Load(4321,0,callback)",
                          "Zumbra.dll PrepareDataZumbra(4321,0,callback)"));
  EXPECT_TRUE(host.messages.empty());
  const plugin::SiblingLibraries& siblings = plugin::moduleState().siblings;
  EXPECT_NE(siblings.AutoSendInet, nullptr);
  EXPECT_NE(siblings.AutoSendInetFromOffice, nullptr);
  EXPECT_NE(siblings.AutoSendMail, nullptr);
  EXPECT_NE(siblings.AutoSendModem, nullptr);

  ASSERT_EQ(unload(), 0);
  const auto calls = siblingCalls();
  EXPECT_THAT(std::vector<std::string>(calls.begin() + 5, calls.end()),
              ElementsAre("Kestrin.dll UnLoad()", "Pellow.dll UnLoad()", "Dravik.dll UnLoad()",
                          "Orvaly.dll UnLoad()"));
  EXPECT_EQ(plugin::moduleState().autoSendForm, nullptr);
  EXPECT_EQ(plugin::moduleState().flashkaForm, nullptr);
}

TEST_F(Lifecycle, ReportsEveryMissingSiblingInOrderAndStillAddsTheMenus) {
  keepOnlySiblings({});
  ASSERT_EQ(load(0), 0);
  std::vector<FakeHost::Message> expected;
  for (const char* name : {"Orvaly.dll", "Kestrin.dll", "Pellow.dll", "Dravik.dll", "Zumbra.dll"}) {
    expected.push_back({MessageKind::MissingLibrary, kNotFound + name});
  }
  EXPECT_EQ(host.messages, expected);
  // The menus come between the first report and the second.
  const std::string missingLibraryCall =
      "ReportMessage(" + std::to_string(MessageKind::MissingLibrary) + "," + kNotFound;
  const std::size_t firstMenuItem = callIndex("NewMenuItem(-1)");
  EXPECT_LT(callIndex(missingLibraryCall + "Orvaly.dll)"), firstMenuItem);
  EXPECT_LT(firstMenuItem, callIndex(missingLibraryCall + "Kestrin.dll)"));
  EXPECT_EQ(plugin::moduleState().siblings.AutoSendModem, nullptr);
  EXPECT_EQ(unload(), 0);
}

TEST_F(Lifecycle, PassesOverALibraryWithoutTheExpectedEntriesInSilence) {
  // A library under the modem transport's name that exports none of its entries.
  keepOnlySiblings({"Orvaly.dll", "Kestrin.dll", "Pellow.dll", "Zumbra.dll"});
  std::filesystem::copy_file(installation.root() / "program" / "Zumbra.dll",
                             installation.root() / "program" / "Dravik.dll");
  ASSERT_EQ(load(0), 0);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_NE(plugin::moduleState().siblings.Dravik, nullptr);
  EXPECT_EQ(plugin::moduleState().siblings.AutoSendModem, nullptr);
  EXPECT_EQ(unload(), 0);
}

TEST_F(Lifecycle, AnErrorRaisedByASiblingsLoadEndsLoadAtOnce) {
  setenv("TARVEL_FAIL_LOAD", "Pellow.dll", 1);
  EXPECT_EQ(load(0), 1);
  EXPECT_THAT(siblingCalls(),
              ElementsAre("Orvaly.dll Load(4321,0,callback)", "Kestrin.dll Load(4321,0,callback)",
                          "Pellow.dll Load(4321,0,callback)"));
  // Load's last step asks for the installation kind a second time; it never got there.
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(),
                       "Command(" + std::to_string(HostCommand::InstallationKind) + ",0)"),
            1)
      << "only the menu asked for the installation kind";
  // What was made before the failure stays, and UnLoad takes it down.
  EXPECT_NE(plugin::moduleState().autoSendForm, nullptr);
  EXPECT_EQ(unload(), 0);
}

TEST_F(Lifecycle, AfterUnLoadNoWindowAndNoTimerOfThePlugInRemain) {
  installation.writeSettings("[Inet]\r\nAutoSendEnable=1\r\n");
  const QWidgetList windowsBefore = QApplication::topLevelWidgets();
  const QList<QTimer*> applicationTimersBefore = qApp->findChildren<QTimer*>();
  ASSERT_EQ(load(0), 0);
  // Every window the plug-in can make, the password dialog by its menu command.
  plugin::CMenuProc().ShowSecurityForm();
  std::vector<QPointer<QObject>> made;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (windowsBefore.contains(window)) continue;
    made.emplace_back(window);
    for (QTimer* timer : window->findChildren<QTimer*>()) made.emplace_back(timer);
  }
  for (QTimer* timer : qApp->findChildren<QTimer*>()) {
    if (!applicationTimersBefore.contains(timer)) made.emplace_back(timer);
  }
  ASSERT_GE(made.size(), 4u) << "three windows and the auto-send timer";

  ASSERT_EQ(unload(), 0);
  for (const QPointer<QObject>& object : made) {
    EXPECT_TRUE(object.isNull()) << object->metaObject()->className() << " "
                                 << object->objectName().toStdString();
  }
  for (QWidget* window : QApplication::topLevelWidgets()) {
    EXPECT_TRUE(windowsBefore.contains(window)) << window->objectName().toStdString();
  }
}

TEST_F(Lifecycle, WithoutAHostCallBackLoadFails) {
  EXPECT_EQ(plugin::load(0, 0, nullptr), 1);
  EXPECT_TRUE(siblingCalls().empty());
}

TEST_F(Lifecycle, AnErrorOfTheDataPreparationIsIgnored) {
  setenv("TARVEL_FAIL_LOAD", "Zumbra.dll", 1);
  EXPECT_EQ(load(0), 0);
  EXPECT_EQ(unload(), 0);
}

TEST_F(Lifecycle, AnErrorRaisedByASiblingsUnLoadEndsUnLoad) {
  ASSERT_EQ(load(0), 0);
  setenv("TARVEL_FAIL_UNLOAD", "Pellow.dll", 1);
  EXPECT_EQ(unload(), 1);
  const auto calls = siblingCalls();
  EXPECT_EQ(calls.back(), "Pellow.dll UnLoad()");
  unsetenv("TARVEL_FAIL_UNLOAD");
  EXPECT_EQ(unload(), 0);  // what was not yet freed is freed by a second try
}

TEST_F(Lifecycle, StationReadsItsSettingsAndStartsTheAutoSendCheckWhenItIsOn) {
  installation.writeSettings("[Inet]\r\nAutoSendEnable=1\r\nViaSend=2\r\n");
  ASSERT_EQ(load(0), 0);
  const plugin::ModuleState& module = plugin::moduleState();
  EXPECT_TRUE(module.inet.AutoSendEnable);
  EXPECT_EQ(module.inet.ViaSend, 2);
  EXPECT_TRUE(module.autoSendForm->Timer_check_AutoSend->isActive());
  EXPECT_EQ(plugin::getAutoSend(), -1);
}

TEST_F(Lifecycle, AStationSendsThroughTheChosenTransportAtItsSetTime) {
  installation.writeSettings(
      "[Inet]\r\nAutoSendEnable=1\r\nViaSend=1\r\nWhenSend=3\r\nSendTime=14:05:00\r\n");
  platform::setClockForTests(platform::encodeDateTime(2007, 3, 5, 14, 5, 30));
  ASSERT_EQ(load(0), 0);
  plugin::moduleState().autoSendForm->Timer_check_AutoSendTimer();
  platform::setClockForTests(std::nullopt);
  EXPECT_EQ(siblingCalls().back(), "Dravik.dll AutoSendModem()");
  EXPECT_THAT(installation.settingsText(),
              ::testing::EndsWith("LastSmena=0\r\nLastAutoSendTime=05.03.2007 14:05:30\r\n"));
}

TEST_F(Lifecycle, OfficeReadsOnlyThePasswordAndLeavesAutoSendOff) {
  installation.writeSettings(
      "[Inet]\r\nAutoSendEnable=1\r\nViaSend=2\r\nPasswordEnable=1\r\nPassword=\r\n");
  ASSERT_EQ(load(1), 0);
  const plugin::ModuleState& module = plugin::moduleState();
  EXPECT_FALSE(module.inet.AutoSendEnable);
  EXPECT_EQ(module.inet.ViaSend, 0);
  EXPECT_TRUE(module.security.PasswordEnable);
  EXPECT_FALSE(module.autoSendForm->Timer_check_AutoSend->isActive());
  EXPECT_EQ(plugin::getAutoSend(), 0);
}

TEST_F(Lifecycle, TemporaryFilesOfSavesKilledBeforeTheirRenameAreRemovedAtLoad) {
  const std::filesystem::path folder = installation.settingsFile().parent_path();
  const std::string ours = std::to_string(::getpid());
  // Process numbers are reused: a living process of that number (this one, init) proves nothing.
  const struct {
    std::string name;
    bool leftByASave;
  } files[] = {
      {"cnf.INI.2147483646-0.tmp", true}, {"cnf.INI." + ours + "-3.tmp", true},
      {"cnf.INI.1-12.tmp", true},         {"cnf.INI.tmp", false},
      {"cnf.INI.12-0.tmp.old", false},    {"cnf.INI.12-x.tmp", false},
      {"cnf.INI.-0.tmp", false},          {"other.INI.12-0.tmp", false},
  };
  for (const bool writerAtWork : {true, false}) {
    SCOPED_TRACE(writerAtWork ? "while another writer holds the file" : "no writer at work");
    installation.writeSettings("[Inet]\r\nPasswordEnable=1\r\n");
    for (const auto& file : files) TemporaryInstallation::writeFile(folder / file.name, "x");
    std::optional<platform::ProfileFile> writer;
    if (writerAtWork) writer = platform::ProfileFile::openForWriting(installation.settingsFile());
    ASSERT_EQ(load(1), 0);
    EXPECT_TRUE(plugin::moduleState().security.PasswordEnable);
    for (const auto& file : files) {
      EXPECT_EQ(std::filesystem::exists(folder / file.name), writerAtWork || !file.leftByASave)
          << file.name;
    }
    writer.reset();
    ASSERT_EQ(unload(), 0);
  }
  EXPECT_EQ(installation.settingsText(), "[Inet]\r\nPasswordEnable=1\r\n");
}

TEST_F(Lifecycle, OtherModesReadNoSettingsAddNoMenusYetLoadTheSiblings) {
  installation.writeSettings("[Inet]\r\nAutoSendEnable=1\r\nPasswordEnable=1\r\n");
  ASSERT_EQ(load(2), 0);
  EXPECT_FALSE(plugin::moduleState().inet.AutoSendEnable);
  EXPECT_FALSE(plugin::moduleState().security.PasswordEnable);
  EXPECT_EQ(host.mainMenu.count(), 0);
  EXPECT_EQ(siblingCalls().front(), "Orvaly.dll Load(4321,2,callback)");
}

TEST_F(Lifecycle, OnlyInstallationKindThreeIsAnOfficeWithAutoQuery) {
  for (const HostVariant& answer : {HostVariant::fromInteger(3), HostVariant::fromText("3")}) {
    host.commandAnswers[HostCommand::InstallationKind] = answer;
    ASSERT_EQ(load(1), 0);
    EXPECT_TRUE(plugin::moduleState().officeWithAutoQuery);
    ASSERT_EQ(unload(), 0);
  }
  for (const HostVariant& answer :
       {HostVariant::fromInteger(0), HostVariant::fromInteger(2), HostVariant::null()}) {
    host.commandAnswers[HostCommand::InstallationKind] = answer;
    ASSERT_EQ(load(1), 0);
    EXPECT_FALSE(plugin::moduleState().officeWithAutoQuery);
    EXPECT_EQ(plugin::moduleState().AutoZaprosOfficeForm, nullptr);
    EXPECT_EQ(plugin::moduleState().AutoAZS, nullptr);
    EXPECT_EQ(unload(), 0);
  }
}

TEST_F(Lifecycle, GetAutoSendIsZeroOutsideLoadAndFollowsTheCheckBoxBeforeApply) {
  EXPECT_EQ(plugin::getAutoSend(), 0);
  ASSERT_EQ(load(0), 0);
  EXPECT_EQ(plugin::getAutoSend(), 0);
  plugin::moduleState().autoSendForm->cb_AutoSend->setChecked(true);
  EXPECT_EQ(plugin::getAutoSend(), -1);
  ASSERT_EQ(unload(), 0);
  EXPECT_EQ(plugin::getAutoSend(), 0);
}

}  // namespace
}  // namespace tarvel::testing
