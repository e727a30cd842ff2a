#include "autoquery/ui/common/accessible_names.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QSlider>
#include <QToolButton>
#include <QTreeWidget>

#include "autoquery/ui/office_window/office_window_texts.h"
#include "autoquery/ui/schedule_editor/schedule_editor_texts.h"
#include "autoquery/ui/schedule_editor/auto_item_sett_form.h"
#include "autoquery/ui/office_window/auto_zapros_office_form.h"
#include "autoquery/ui/schedule_editor/toggle_switch.h"
#include "platform/cp1251.h"

namespace tarvel::autoquery {

void nameOfficeWindowForListeners(TAutoZaprosOfficeForm& window) {
  window.ScrollBox1->setAccessibleName(platform::toUnicode(text::kStationListName));
  window.tbMash->setAccessibleName(platform::toUnicode(text::kScaleName));
  window.tbProgn->setAccessibleName(platform::toUnicode(text::kForecastName));
}

void nameEditorForListeners(TAutoItemSettForm& editor) {
  editor.RxSwitch1->setAccessibleName(platform::toUnicode(text::kSwitchName));
  editor.lbDayTime->setAccessibleName(platform::toUnicode(text::kDailyTimesName));
  editor.lvWeekDay->setAccessibleName(platform::toUnicode(text::kWeekdayTimesName));
  for (QLineEdit* field : {editor.meDayTime, editor.meWeekTime}) {
    field->setAccessibleName(platform::toUnicode(text::kTimeFieldName));
  }
  for (QToolButton* add : {editor.SpeedButton1, editor.SpeedButton3}) {
    add->setAccessibleName(platform::toUnicode(text::kAddTimeName));
  }
  for (QToolButton* remove : {editor.SpeedButton2, editor.SpeedButton4}) {
    remove->setAccessibleName(platform::toUnicode(text::kRemoveTimeName));
  }
  for (int row = 0; row < editor.lvWeekDay->topLevelItemCount(); ++row) {
    nameTimeCellForListeners(*editor.lvWeekDay->topLevelItem(row), 1);
  }
}

void nameTimeCellForListeners(QTreeWidgetItem& row, int timeColumn) {
  const QString time = row.text(timeColumn);
  row.setData(timeColumn, Qt::AccessibleTextRole,
              time.isEmpty() ? platform::toUnicode(text::kNoTimeName) : time);
}

}  // namespace tarvel::autoquery
