#include "autoquery/tools/schedule/chart_command.h"

#include "autoquery/chart/draw_timeline.h"
#include "autoquery/tools/schedule/schedule_file.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "autoquery/tools/schedule/schedule_words.h"
#include "platform/clock.h"
#include "platform/cp1251.h"
#include "platform/cp1251_literal.h"

namespace tarvel::autoquery::schedule {

QImage chartPicture(std::span<const TAzsItem* const> items, int zoom, int days,
                    const QDateTime& now) {
  QImage picture;
  chart::drawTimelineAt(
      items, picture, zoom, days + 1, kChartButtonFace,
      platform::encodeDateTime(now.date().year(), now.date().month(), now.date().day(),
                               now.time().hour(), now.time().minute(), now.time().second()));
  return picture;
}

void writeChartPicture(const QImage& picture, const QString& file) {
  if (!picture.save(file, "PNG"))
    throw ToolError(text::kCannotWritePicture + platform::fromUnicode(file));
}

QString chartText(const QString& file, const QImage& picture, std::size_t stations) {
  return unicode(text::kPictureWritten) + file + ", " + QString::number(picture.width()) + " x " +
         QString::number(picture.height()) + unicode(text::kStations) + QString::number(stations) +
         '\n';
}

QJsonObject chartJson(const QString& file, const QImage& picture, std::size_t stations) {
  return {{"file", file},
          {"width", picture.width()},
          {"height", picture.height()},
          {"stations", static_cast<qint64>(stations)}};
}

namespace {

using platform::operator""_cp1251;

std::unique_ptr<TAzsItem> demoItem(const char* name, bool enable, int kind,
                                   std::vector<ConnectionPoint> times) {
  auto item = std::make_unique<TAzsItem>();
  item->AZSName = name;
  item->Enable = enable;
  item->ConnTimeTipe = kind;
  if (kind != ScheduleKind::MonthDates) item->CP = std::move(times);
  return item;
}

}  // namespace

std::vector<std::unique_ptr<TAzsItem>> demoChain() {
  std::vector<std::unique_ptr<TAzsItem>> items;
  items.push_back(
      demoItem(u8"АЗС №1 Центральная"_cp1251, true, ScheduleKind::Daily, {"08:00", "20:30"}));
  items.push_back(demoItem(u8"АЗС №2 Северная"_cp1251, true, ScheduleKind::Daily, {"08:20"}));
  items.push_back(demoItem(u8"АЗС №3 Южная"_cp1251, true, ScheduleKind::Weekdays,
                           {"09:00", "", "", "14:00", "", "", ""}));
  items.push_back(demoItem(u8"АЗС №4 Речная"_cp1251, false, ScheduleKind::Daily, {"12:00"}));
  items.push_back(
      demoItem(u8"АЗС №5 Трасса"_cp1251, true, ScheduleKind::Daily, {"23:30", "02:00", "02:20"}));
  items.push_back(demoItem(u8"АЗС №6 Озёрная"_cp1251, true, ScheduleKind::MonthDates, {}));
  items.push_back(
      demoItem(u8"АЗС №7 Полевая"_cp1251, true, ScheduleKind::Daily, {"20:00", "02:10"}));
  return items;
}

}  // namespace tarvel::autoquery::schedule
