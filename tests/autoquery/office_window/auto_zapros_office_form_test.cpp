#include "autoquery/ui/office_window/auto_zapros_office_form.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "autoquery/chart/ui/chart_widget.h"
#include "autoquery/database/tools/office_database_creation.h"
#include "autoquery/ui/office_window/office_window_texts.h"
#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"
#include "autoquery/ui/station_frame/azs_frame.h"
#include "platform/cp1251.h"
#include "support/office_window_fixture.h"
#include "support/office_window_showing.h"
#include "support/recorded_errors.h"
#include "support/scripted_dialogs.h"
#include "support/user_actions.h"

namespace tarvel::autoquery {
namespace {

const std::string kStationListError = platform::fromUnicode("Ошибка получения списка АЗС: ");

std::string cp1251(const char* utf8) { return platform::fromUnicode(QString::fromUtf8(utf8)); }

// A saved schedule of count stations named "Старое i", the first one polled daily at 08:00.
std::string savedSchedule(int count) {
  std::string text = "[AutoZapros]\r\nCount=" + std::to_string(count) + "\r\n";
  for (int i = 0; i < count; ++i) {
    text += "[AutoZaprosItem" + std::to_string(i) + "]\r\nEnable=" + (i == 0 ? "1" : "0") +
            "\r\nHasUserQuery=0\r\nAZSName=" + cp1251("Старое ") + std::to_string(i) +
            "\r\nConnType=1\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:00\r\n";
  }
  return text;
}

class OfficeWindowTest : public testing::OfficeWindowFixture {
 public:
  OfficeWindowTest() {
    host.commandAnswers[HostCommand::DatabaseConnection] =
        HostVariant::fromText("C:\\FSYS\\MAIN.FDB");
  }

  std::filesystem::path officeFile() const {
    return installation.root() / "FSYS" / "OFFICEDB" / "OFFICE.FDB";
  }
  void createOffice(const std::vector<OfficeStation>& stations) const {
    std::filesystem::create_directories(officeFile().parent_path());
    createOfficeDatabase(officeFile(), stations);
  }
  // An office database of stations named "1" to "count".
  void createChain(int count) const {
    std::vector<OfficeStation> stations;
    for (int number = 1; number <= count; ++number)
      stations.push_back({.AZSNUMBER = number, .AZSNAME = std::to_string(number)});
    createOffice(stations);
  }
  // Clicks the centre of a frame's name where the operator sees it: on whatever widget of the
  // scroll box is there.
  void clickName(const TAZSFrame& frame) const {
    const QPoint centre = frame.lbAZSname->rect().center();
    QWidget* viewport = form->ScrollBox1->viewport();
    QWidget* clicked = viewport->childAt(frame.lbAZSname->mapTo(viewport, centre));
    ASSERT_NE(clicked, nullptr);
    QTest::mouseClick(clicked, Qt::LeftButton, {}, clicked->mapFrom(frame.lbAZSname, centre));
  }
  // Shown as the operator's active window, which has the keyboard.
  void showActive() const {
    ASSERT_TRUE(testing::showAndWaitForStations(*form));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  // The AZSIndex of the frame that has the keyboard focus, or -1.
  static int32_t focusedFrame() {
    const auto* frame = qobject_cast<const TAZSFrame*>(QApplication::focusWidget());
    return frame != nullptr ? frame->AZSIndex() : -1;
  }

  testing::ScriptedDialogs dialogs;
};

struct SynchronisationCase {
  const char* name;
  int savedItems;
  int stations;
};

class OfficeWindowSynchronisationTest : public OfficeWindowTest,
                                        public ::testing::WithParamInterface<SynchronisationCase> {
};

TEST_P(OfficeWindowSynchronisationTest, RegistryFollowsTheDatabaseByPosition) {
  const SynchronisationCase& param = GetParam();
  installation.writeSettings(savedSchedule(param.savedItems));
  std::vector<OfficeStation> stations;
  std::vector<std::string> namesInNumberOrder;
  for (int i = 0; i < param.stations; ++i) {
    // Inserted in falling order: the window lists them by AZSNUMBER.
    const int number = param.stations - i;
    stations.push_back({.AZSNUMBER = number, .AZSNAME = cp1251("АЗС №") + std::to_string(number)});
    namesInNumberOrder.push_back(cp1251("АЗС №") + std::to_string(i + 1));
  }
  createOffice(stations);
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));

  EXPECT_EQ(registryNames(), namesInNumberOrder);
  EXPECT_TRUE(hostErrors().empty());
  const auto frames = form->scrollContents()->findChildren<TAZSFrame*>();
  ASSERT_EQ(frames.size(), param.stations) << "surplus frames freed";
  for (int32_t i = 0; i < AutoAZS->Count(); ++i) {
    ASSERT_NE(form->frameAt(i), nullptr) << i;
    const TAZSFrame& frame = *form->frameAt(i);
    EXPECT_EQ(frame.mapTo(form->scrollContents(), QPoint(0, 0)), QPoint(0, 15 + 40 * i)) << i;
    EXPECT_EQ(frame.size(), QSize(175, 40));
    EXPECT_EQ(frame.AZSIndex(), i);
    EXPECT_TRUE(frame.isVisible()) << i;
    EXPECT_EQ(frame.lbAZSname->text(), platform::toUnicode(namesInNumberOrder[i]));
    // Items the database added are fresh: polling off; saved ones keep their schedule.
    EXPECT_EQ(AutoAZS->Items(i).Enable, i == 0 && param.savedItems > 0) << i;
  }
  EXPECT_EQ(form->Image1->height(), 40 * param.stations + 20);
}

INSTANTIATE_TEST_SUITE_P(Stations, OfficeWindowSynchronisationTest,
                         ::testing::Values(SynchronisationCase{"ThreeAgainstFive", 5, 3},
                                           SynchronisationCase{"FourAgainstNone", 0, 4},
                                           SynchronisationCase{"FourAgainstTwo", 2, 4}),
                         [](const auto& testParam) { return std::string(testParam.param.name); });

TEST_F(OfficeWindowTest, HostAnswerWithoutDriveOpensTheLocalDatabase) {
  host.commandAnswers[HostCommand::DatabaseConnection] = HostVariant::fromText("OFFICE");
  createOffice({{.AZSNUMBER = 1, .AZSNAME = "A"}});
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  EXPECT_EQ(registryNames(), std::vector<std::string>{"A"});
  EXPECT_TRUE(hostErrors().empty());
}

struct FailureCase {
  const char* name;
  void (*prepare)(OfficeWindowTest&);
};

class OfficeWindowFailureTest : public OfficeWindowTest,
                                public ::testing::WithParamInterface<FailureCase> {
 public:
  static void noDatabase(OfficeWindowTest&) {}
  static void damagedFile(OfficeWindowTest& test) {
    std::filesystem::create_directories(test.officeFile().parent_path());
    testing::TemporaryInstallation::writeFile(test.officeFile(), std::string(8192, 'Z'));
  }
  static void noTable(OfficeWindowTest& test) {
    std::filesystem::create_directories(test.officeFile().parent_path());
    createEmptyOfficeDatabase(test.officeFile());
  }
  static void nullAnswer(OfficeWindowTest& test) {
    test.createOffice({{.AZSNUMBER = 1, .AZSNAME = "A"}});
    test.host.commandAnswers[HostCommand::DatabaseConnection] = HostVariant::null();
  }
};

TEST_P(OfficeWindowFailureTest, ReportsTheErrorAndStillShowsTheSavedSchedules) {
  installation.writeSettings(savedSchedule(2));
  GetParam().prepare(*this);
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));

  ASSERT_EQ(hostErrors().size(), 1u);
  const std::string message = hostErrors()[0];
  EXPECT_EQ(message.substr(0, kStationListError.size()), kStationListError);
  EXPECT_GT(message.size(), kStationListError.size()) << "the error's own text follows";
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(registryNames(), (std::vector<std::string>{cp1251("Старое 0"), cp1251("Старое 1")}));
  EXPECT_EQ(form->Image1->height(), 2 * 40 + 20) << "the chart is drawn all the same";
  EXPECT_TRUE(applicationErrors.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Failures, OfficeWindowFailureTest,
    ::testing::Values(FailureCase{"NoDatabaseFile", &OfficeWindowFailureTest::noDatabase},
                      FailureCase{"DamagedFile", &OfficeWindowFailureTest::damagedFile},
                      FailureCase{"NoOfficeTable", &OfficeWindowFailureTest::noTable},
                      FailureCase{"HostAnswersNull", &OfficeWindowFailureTest::nullAnswer}),
    [](const auto& testParam) { return std::string(testParam.param.name); });

TEST_F(OfficeWindowTest, UnreadableTimeIsReportedAndTheWindowStillOpens) {
  std::string schedule = savedSchedule(1);
  schedule.replace(schedule.find("08:00"), 5, "8:0");
  installation.writeSettings(schedule);
  createOffice({{.AZSNUMBER = 1, .AZSNAME = "A"}});
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  ASSERT_EQ(hostErrors().size(), 1u);
  const std::string drawingError = platform::fromUnicode("Ошибка отрисовки времени соединения: ");
  EXPECT_EQ(hostErrors()[0].substr(0, drawingError.size()), drawingError);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(registryNames(), std::vector<std::string>{"A"});
}

TEST_F(OfficeWindowTest, TrackBarsDraggedOrMovedByKeysSetTheirLabelsAndTheChartSize) {
  createOffice({{.AZSNUMBER = 1, .AZSNAME = "A"}});
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  EXPECT_EQ(form->lbMash->text(), "X2");
  EXPECT_EQ(form->lbProgn->text(), QString::fromUtf8("7 дней"));
  EXPECT_EQ(form->Image1->size(), QSize(200 * 8, 60));

  testing::dragSlider(*form->tbProgn, 1);
  EXPECT_EQ(form->lbProgn->text(), QString::fromUtf8("1 дней"));
  EXPECT_EQ(form->Image1->width(), 200 * 2);
  testing::dragSlider(*form->tbMash, 5);
  EXPECT_EQ(form->lbMash->text(), "X5");
  EXPECT_EQ(form->Image1->width(), 500 * 2);
  testing::pressKey(*form->tbMash, Qt::Key_PageDown);
  EXPECT_EQ(form->lbMash->text(), "X4");
  testing::pressKey(*form->tbProgn, Qt::Key_Right);
  EXPECT_EQ(form->lbProgn->text(), QString::fromUtf8("2 дней"));
  EXPECT_EQ(form->Image1->width(), 400 * 3);
  testing::pressKey(*form->tbProgn, Qt::Key_End);
  EXPECT_EQ(form->lbProgn->text(), QString::fromUtf8("30 дней"));
}

TEST_F(OfficeWindowTest, LegendSwitchSurvivesARestart) {
  createOffice({});
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  ASSERT_TRUE(form->CheckBox1->isChecked());
  EXPECT_TRUE(form->p->isVisible());
  testing::pressKey(*form->CheckBox1, Qt::Key_Space);
  EXPECT_FALSE(form->p->isVisible());
  testing::clickButton(*form->CheckBox1);
  EXPECT_TRUE(form->p->isVisible());
  testing::clickButton(*form->CheckBox1);
  EXPECT_FALSE(form->p->isVisible());

  // The host closes and starts again.
  AutoAZS.reset();
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  EXPECT_FALSE(form->CheckBox1->isChecked());
  EXPECT_FALSE(form->p->isVisible());
  testing::clickButton(*form->CheckBox1);
  EXPECT_TRUE(form->p->isVisible());
}

// Clicks the first station's frame and, in the editor, switches its polling on at 08:00.
void enableFirstStationInTheEditor(TAutoZaprosOfficeForm& form, testing::ScriptedDialogs& dialogs,
                                   tAutoAZS& registry) {
  dialogs.modalActions.push_back([](QDialog& dialog) {
    auto& editor = dynamic_cast<TAutoItemSettForm&>(dialog);
    testing::clickButton(*editor.cbEnable);
    testing::typeInto(*editor.meDayTime, "0800");
    testing::clickButton(*editor.SpeedButton1);
    testing::clickButton(*editor.BitBtn1);
  });
  ASSERT_NE(form.frameAt(0), nullptr);
  QTest::mouseClick(form.frameAt(0)->lbAZSname, Qt::LeftButton);
  ASSERT_TRUE(registry.Items(0).Enable) << "the editor applied its change";
  EXPECT_TRUE(form.isVisible());
}

TEST_F(OfficeWindowTest, CancelDropsAnEditorChangeAndApplyKeepsItInTheFile) {
  installation.writeSettings(savedSchedule(0));
  createOffice({{.AZSNUMBER = 1, .AZSNAME = cp1251("Первая")}});
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  enableFirstStationInTheEditor(*form, dialogs, *AutoAZS);
  QTest::mouseClick(form->BitBtn2, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(AutoAZS->Count(), 0) << "reloaded from cnf.INI, which has no station yet";
  EXPECT_EQ(installation.settingsText(), savedSchedule(0));

  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  enableFirstStationInTheEditor(*form, dialogs, *AutoAZS);
  QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Accepted);
  ASSERT_EQ(AutoAZS->Count(), 1);
  EXPECT_TRUE(AutoAZS->Items(0).Enable) << "kept in memory";
  EXPECT_EQ(installation.settingsText(),
            "[AutoZapros]\r\nCount=1\r\n[AutoZaprosItem0]\r\nEnable=1\r\nHasUserQuery=1\r\n"
            "AZSName=" +
                cp1251("Первая") +
                "\r\nConnType=3\r\nConnTimeTipe=1\r\nCPcount=1\r\nCP0time=08:00\r\n");
  EXPECT_TRUE(applicationErrors.messages.empty());
}

TEST_F(OfficeWindowTest, FrameNeverInSightFarDownTheChainOpensItsOwnEditorAndShowsItsChange) {
  constexpr int32_t kFar = 9876;
  createChain(10'000);
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  ASSERT_EQ(AutoAZS->Count(), 10'000);
  EXPECT_EQ(form->frameAt(kFar), nullptr) << "no frame before it comes into sight";
  EXPECT_LE(form->scrollContents()->findChildren<TAZSFrame*>().size(), 2 * kFramesPerBand);

  // The operator pages down until it stands whole in sight, passing hundreds of bands, of which
  // the window keeps only a bounded number with frames.
  QScrollBar* vertical = form->ScrollBox1->verticalScrollBar();
  const int farBottom = kFar * 40 + 15 + 40;
  form->ScrollBox1->setFocus();
  while (vertical->value() + form->ScrollBox1->viewport()->height() < farBottom &&
         vertical->value() < vertical->maximum()) {
    QTest::keyClick(form->ScrollBox1, Qt::Key_PageDown);
  }
  EXPECT_LE(form->scrollContents()->findChildren<TAZSFrame*>().size(),
            (kMadeBandLimit + 2) * kFramesPerBand);
  TAZSFrame* frame = form->frameAt(kFar);
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->mapTo(form->scrollContents(), QPoint(0, 0)), QPoint(0, kFar * 40 + 15));
  EXPECT_EQ(frame->AZSIndex(), kFar);
  EXPECT_EQ(frame->lbAZSname->text(), QString::number(kFar + 1));
  EXPECT_EQ(frame->accessibleDescription(),
            QString::fromUtf8("Автозапрос отключен, прямое IP соединение"));

  int32_t openedIndex = -1;
  dialogs.modalActions.push_back([&](QDialog& dialog) {
    auto& editor = dynamic_cast<TAutoItemSettForm&>(dialog);
    openedIndex = editor.AZSIndex;
    QTest::mouseClick(editor.rbModem, Qt::LeftButton, {}, QPoint(6, editor.rbModem->height() / 2));
    QTest::mouseClick(editor.BitBtn1, Qt::LeftButton);
  });
  clickName(*frame);
  EXPECT_EQ(openedIndex, kFar);
  EXPECT_EQ(AutoAZS->Items(kFar).ConnType, 1);
  EXPECT_EQ(frame->accessibleDescription(),
            QString::fromUtf8("Автозапрос отключен, модемное соединение"));
  EXPECT_EQ(frame->picture().pixel(19 + 9, 13),
            form->ImageList1.image(IconIndex::Modem).pixel(9, 13));

  // At the end of the chain, the last frame stands where it belongs.
  form->ScrollBox1->setFocus();
  while (vertical->value() < vertical->maximum()) {
    QTest::keyClick(form->ScrollBox1, Qt::Key_PageDown);
  }
  ASSERT_NE(form->frameAt(9999), nullptr);
  EXPECT_TRUE(form->frameAt(9999)->isVisible());
  EXPECT_EQ(form->frameAt(9999)->lbAZSname->text(), "10000");
}

TEST_F(OfficeWindowTest, TabWalksTheStationsInScreenOrderAndEnterOpensTheFocusedOne) {
  // More than a band, most of them below the window's sight: their frames are made as Tab
  // reaches them.
  constexpr int32_t kStations = kFramesPerBand + 5;
  createChain(kStations);
  startOffice();
  showActive();
  EXPECT_EQ(form->Image1->accessibleName(), QString::fromUtf8("График связи"));
  form->ScrollBox1->setFocus();
  for (int32_t expected = 0; expected < kStations; ++expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(focusedFrame(), expected);
    ASSERT_TRUE(QApplication::focusWidget()->isVisible()) << expected << " scrolled into sight";
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form->Image1) << "after the last station";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), form->tbMash) << "after the chart";

  // Backwards from the track bar, after the window was shown afresh with no frame made.
  QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
  showActive();
  form->tbMash->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), form->Image1);
  for (int32_t expected = kStations - 1; expected >= kStations - 3; --expected) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(focusedFrame(), expected);
  }

  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Space}) {
    int32_t openedIndex = -1;
    dialogs.modalActions.push_back(
        [&](QDialog& dialog) { openedIndex = dynamic_cast<TAutoItemSettForm&>(dialog).AZSIndex; });
    QTest::keyClick(QApplication::focusWidget(), key);
    EXPECT_EQ(openedIndex, kStations - 3) << key;
  }
}

TEST_F(OfficeWindowTest, EachOpeningStartsAtTheTopWithTheFirstStationFocusedFramesInOrder) {
  // Fewer than a band: the frames made at the bottom and those made at the top share a parent.
  constexpr int32_t kStations = kFramesPerBand - 1;
  createChain(kStations);
  startOffice();
  form->resize(500, 400);
  showActive();
  EXPECT_EQ(focusedFrame(), 0);
  // Down to the last station, closed there, and opened again.
  while (focusedFrame() != kStations - 1) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_GT(form->ScrollBox1->verticalScrollBar()->value(), 0);
  QTest::keyClick(form.get(), Qt::Key_Escape);
  showActive();
  EXPECT_EQ(focusedFrame(), 0);
  EXPECT_EQ(form->ScrollBox1->verticalScrollBar()->value(), 0);
  // Frames made afresh from the top, as far as the window shows them, stand in station order.
  const QAccessibleInterface* band =
      QAccessible::queryAccessibleInterface(form->frameAt(0))->parent();
  std::vector<int32_t> order;
  for (int child = 0; child < band->childCount(); ++child) {
    if (const auto* frame = qobject_cast<const TAZSFrame*>(band->child(child)->object())) {
      order.push_back(frame->AZSIndex());
    }
  }
  ASSERT_GT(order.size(), 5u);
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
}

TEST_F(OfficeWindowTest, AFramesPressActionOpensItsEditorAndItsFocusScrollsItIntoSight) {
  createChain(40);
  startOffice();
  form->resize(500, 400);
  showActive();
  // A frame made beyond the window's sight, focused as an assistive client does it.
  TAZSFrame* below = nullptr;
  for (int32_t position = 39; position > 0 && below == nullptr; --position) {
    if (TAZSFrame* frame = form->frameAt(position);
        frame != nullptr && frame->visibleRegion().isEmpty()) {
      below = frame;
    }
  }
  ASSERT_NE(below, nullptr);
  testing::doAccessibleAction(*below, QAccessibleActionInterface::setFocusAction());
  EXPECT_EQ(QApplication::focusWidget(), below);
  EXPECT_FALSE(below->visibleRegion().isEmpty());

  int32_t openedIndex = -1;
  dialogs.modalActions.push_back(
      [&](QDialog& dialog) { openedIndex = dynamic_cast<TAutoItemSettForm&>(dialog).AZSIndex; });
  testing::doAccessibleAction(*form->frameAt(2), QAccessibleActionInterface::pressAction());
  QTRY_COMPARE(openedIndex, 2);
}

TEST_F(OfficeWindowTest, ArrowAndPageKeysScrollTheChartAndTheFocusedStationKeepsTheFocus) {
  createChain(300);
  startOffice();
  form->resize(500, 400);
  showActive();
  QScrollBar* vertical = form->ScrollBox1->verticalScrollBar();
  QScrollBar* horizontal = form->ScrollBox1->horizontalScrollBar();
  const struct {
    Qt::Key key;
    QScrollBar* bar;
    int step;
  } cases[] = {
      {Qt::Key_PageDown, vertical, vertical->pageStep()},
      {Qt::Key_Down, vertical, vertical->singleStep()},
      {Qt::Key_Up, vertical, -vertical->singleStep()},
      {Qt::Key_PageUp, vertical, -vertical->pageStep()},
      {Qt::Key_Right, horizontal, horizontal->singleStep()},
      {Qt::Key_Left, horizontal, -horizontal->singleStep()},
  };
  for (QWidget* focus :
       {static_cast<QWidget*>(form->ScrollBox1), static_cast<QWidget*>(form->frameAt(1))}) {
    focus->setFocus();
    vertical->setValue(400);
    horizontal->setValue(100);
    for (const auto& test : cases) {
      const int before = test.bar->value();
      QTest::keyClick(QApplication::focusWidget(), test.key);
      EXPECT_EQ(test.bar->value(), before + test.step)
          << focus->objectName().toStdString() << " key " << test.key;
      EXPECT_EQ(QApplication::focusWidget(), focus);
    }
  }
  // Far down, the focused station's frame, out of sight, still has the focus.
  for (int page = 0; page < 40; ++page)
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
  EXPECT_GT(vertical->value(), 150 * 40);
  EXPECT_EQ(focusedFrame(), 1);
}

TEST_F(OfficeWindowTest, StationsBeyondTheRegistrysBoundAreLeftOutAndCounted) {
  std::vector<OfficeStation> stations;
  for (int number = 1; number <= kMaxItemCount + 3; ++number)
    stations.push_back({.AZSNUMBER = number, .AZSNAME = std::to_string(number)});
  createOffice(stations);
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  ASSERT_EQ(AutoAZS->Count(), kMaxItemCount);
  EXPECT_EQ(AutoAZS->Items(kMaxItemCount - 1).AZSName, std::to_string(kMaxItemCount));
  EXPECT_EQ(hostErrors(),
            std::vector<std::string>{std::string(office_window_text::kStationsBeyondTheBound) +
                                     std::to_string(kMaxItemCount) +
                                     office_window_text::kStationsLeftOut + "3"});
}

// The operator's first correction of times, from the office window of the demo chain on: a
// click on the third station, two times added, the first clicked and typed over; the same with
// two weekdays.
TEST_F(OfficeWindowTest, TimesClickedInTheEditorAreTheOnesTypedOver) {
  std::filesystem::create_directories(officeFile().parent_path());
  ASSERT_EQ(
      QProcess::execute(QCoreApplication::applicationDirPath() + "/tarvel-demo-office-database",
                        {QString::fromStdString(officeFile().string())}),
      0);
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  dialogs.modalActions.push_back([](QDialog& dialog) {
    auto& editor = dynamic_cast<TAutoItemSettForm&>(dialog);
    EXPECT_EQ(editor.lbAZSname->text(), QString::fromUtf8("АЗС №3 Заречье"));
    const auto dailyLine = [&editor](int line) { return editor.lbDayTime->item(line)->text(); };
    for (const char* digits : {"0730", "1805"}) {
      testing::typeInto(*editor.meDayTime, digits);
      testing::clickButton(*editor.SpeedButton1);
    }
    testing::clickItem(*editor.lbDayTime, 0);
    EXPECT_EQ(editor.meDayTime->text(), "07:30");
    testing::typeInto(*editor.meDayTime, "0745");
    EXPECT_EQ(dailyLine(0), "07:45");
    EXPECT_EQ(dailyLine(1), "18:05");

    testing::clickButton(*editor.rbWeek);
    for (const auto& [day, digits] : {std::pair{2, "1000"}, std::pair{4, "2000"}}) {
      testing::clickItem(*editor.lvWeekDay, day);
      testing::typeInto(*editor.meWeekTime, digits);
    }
    testing::clickItem(*editor.lvWeekDay, 2);
    EXPECT_EQ(editor.meWeekTime->text(), "10:00");
    testing::typeInto(*editor.meWeekTime, "1030");
    testing::clickButton(*editor.BitBtn1);
  });
  ASSERT_NE(form->frameAt(2), nullptr);
  QTest::mouseClick(form->frameAt(2)->lbAZSname, Qt::LeftButton);
  EXPECT_EQ(AutoAZS->Items(2).CP,
            (std::vector<ConnectionPoint>{"", "", "10:30", "", "20:00", "", ""}));
  EXPECT_TRUE(applicationErrors.messages.empty());
}

TEST_F(OfficeWindowTest, FailedSaveKeepsTheWindowOpen) {
  createOffice({{.AZSNUMBER = 1, .AZSNAME = "A"}});
  startOffice();
  ASSERT_TRUE(testing::showAndWaitForStations(*form));
  // cnf.INI cannot be written where a folder stands in its place.
  std::filesystem::create_directories(installation.settingsFile());
  QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
  EXPECT_EQ(applicationErrors.messages.size(), 1u);
  EXPECT_TRUE(form->isVisible()) << "not closed as if the schedules were saved";
}

TEST_F(OfficeWindowTest, TabOntoTheChartKeepsTheStationNamesAndDayLabelsInSightAndFramesIt) {
  // Taller and wider than the window's sight, so the chart cannot be shown whole.
  createChain(6);
  startOffice();
  showActive();
  while (focusedFrame() != 5) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), form->Image1);
  const QWidget* viewport = form->ScrollBox1->viewport();
  const auto inSight = [viewport](const QWidget& widget, const QRect& rect) {
    return QRect(widget.mapTo(viewport, rect.topLeft()), rect.size()).intersects(viewport->rect());
  };
  const QLabel& firstName = *form->frameAt(0)->lbAZSname;
  EXPECT_TRUE(inSight(firstName, firstName.rect())) << "the station names";
  EXPECT_TRUE(inSight(*form->Image1, QRect(0, 0, form->Image1->width(), 13))) << "the day labels";
  // The focus frame in the text colour along the chart's top edge, where the chart itself has
  // only its background, blue labels and blue day lines.
  const QRect shown = form->Image1->visibleRegion().boundingRect();
  const QImage picture = form->Image1->grab(shown).toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb text = form->Image1->palette().color(QPalette::WindowText).rgb();
  int framePixels = 0;
  for (int x = 0; x < picture.width(); ++x) framePixels += picture.pixel(x, 0) == text ? 1 : 0;
  EXPECT_EQ(shown.top(), 0);
  EXPECT_GT(framePixels, shown.width() / 4);
}

TEST(OfficeWindowTimer, IsHiddenAndTicksEveryThirtySecondsThroughTheGuard) {
  testing::RecordedApplicationErrors reportedErrors;
  tAutoAZS registry;
  TAutoZaprosOfficeForm form(registry);
  EXPECT_FALSE(form.isVisible());
  EXPECT_TRUE(form.TimerSend->isActive());
  EXPECT_EQ(form.TimerSend->interval(), 30'000);

  // Only its pace is quickened: its ticks still come from Qt's event loop.
  form.TimerSend->setInterval(1);
  QTest::qWait(20);  // no tick action yet: nothing happens
  int ticks = 0;
  form.setTickAction([&] {
    if (++ticks == 2) throw std::runtime_error("host failed");
  });
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3; }, 5000)) << "ticks go on after a failure";
  form.TimerSend->stop();
  ASSERT_EQ(reportedErrors.messages.size(), 1u);
  EXPECT_EQ(reportedErrors.messages[0], "host failed");
}

}  // namespace
}  // namespace tarvel::autoquery
