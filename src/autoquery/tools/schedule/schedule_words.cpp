#include "autoquery/tools/schedule/schedule_words.h"

#include "autoquery/core/auto_azs.h"
#include "autoquery/core/autoquery_texts.h"
#include "autoquery/core/schedule_captions.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "platform/cp1251.h"
#include "settings/connection_type.h"

namespace tarvel::autoquery::schedule {

QString unicode(std::string_view cp1251) { return platform::toUnicode(cp1251); }

QString connectionCaption(int32_t ConnType) {
  switch (ConnType) {
    case settings::ConnectionType::Modem:
      return unicode(autoquery::text::kModemCaption);
    case settings::ConnectionType::Mail:
      return unicode(autoquery::text::kMailCaption);
    case settings::ConnectionType::DirectIp:
      return unicode(autoquery::text::kDirectIpCaption);
    default:
      return unicode(text::kUnknownConnection) + QString::number(ConnType);
  }
}

QString kindCaption(int32_t ConnTimeTipe) {
  switch (ConnTimeTipe) {
    case ScheduleKind::Daily:
      return unicode(autoquery::text::kDailyCaption);
    case ScheduleKind::Weekdays:
      return unicode(autoquery::text::kWeekdaysCaption);
    case ScheduleKind::MonthDates:
      return unicode(autoquery::text::kMonthDatesCaption);
    default:
      return unicode(text::kUnknownKind) + QString::number(ConnTimeTipe);
  }
}

QString timesText(const TAzsItem& item) {
  QStringList times;
  if (item.CP && item.ConnTimeTipe == ScheduleKind::Daily) {
    for (const ConnectionPoint& slot : *item.CP) {
      if (slot) times << unicode(*slot);
    }
  } else if (item.CP && item.ConnTimeTipe == ScheduleKind::Weekdays) {
    for (std::size_t day = 0; day < item.CP->size() && day < kWeekdaySlotCount; ++day) {
      const ConnectionPoint& slot = (*item.CP)[day];
      if (slot && !slot->empty()) {
        times << unicode(autoquery::text::kWeekDayNames[day]) + ' ' + unicode(*slot);
      }
    }
  }
  return times.isEmpty() ? unicode(text::kNoTimes) : times.join(", ");
}

QJsonArray slotsJson(const TAzsItem& item) {
  QJsonArray points;
  if (!item.CP) return points;
  for (const ConnectionPoint& slot : *item.CP) {
    points.append(slot ? QJsonValue(unicode(*slot)) : QJsonValue(QJsonValue::Null));
  }
  return points;
}

QString momentText(const QDateTime& moment) {
  return moment.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

QString momentJson(const QDateTime& moment) {
  return moment.toString(QStringLiteral("yyyy-MM-ddThh:mm"));
}

}  // namespace tarvel::autoquery::schedule
