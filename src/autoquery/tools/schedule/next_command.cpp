#include "autoquery/tools/schedule/next_command.h"

#include <QJsonArray>
#include <array>
#include <map>

#include "autoquery/core/poll_minute.h"
#include "autoquery/tools/schedule/aligned_columns.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "autoquery/tools/schedule/schedule_words.h"
#include "platform/clock.h"
#include "platform/cp1251.h"

namespace tarvel::autoquery::schedule {

std::vector<UpcomingPoll> upcomingPolls(const tAutoAZS& registry, const QDateTime& from, int hours,
                                        const std::optional<std::string>& station) {
  // Wall-clock minutes, as the office's clock shows them to the engine.
  const QDate firstDay = from.date();
  const int firstMinuteOfDay = from.time().hour() * 60 + from.time().minute();
  const int64_t first =
      minuteSinceEpoch(platform::encodeDateTime(firstDay.year(), firstDay.month(), firstDay.day(),
                                                firstMinuteOfDay / 60, firstMinuteOfDay % 60));
  std::vector<UpcomingPoll> upcoming;
  std::optional<int64_t> shownMinute;
  QDateTime moment;
  for (const RegistryPoll& poll : pollsBetween(registry, first, first + hours * 60 - 1)) {
    const TAzsItem& item = registry.Items(poll.position);
    if (station && !platform::equalsIgnoringCase(item.AZSName, *station)) continue;
    // Many polls share a minute: its moment is made once.
    if (shownMinute != poll.minute) {
      const int64_t minute = firstMinuteOfDay + (poll.minute - first);
      const int minuteOfDay = static_cast<int>(minute % kMinutesPerDay);
      moment = QDateTime(firstDay.addDays(minute / kMinutesPerDay),
                         QTime(minuteOfDay / 60, minuteOfDay % 60));
      shownMinute = poll.minute;
    }
    upcoming.push_back({poll.minute, moment, poll.position, poll.slot,
                        queryRoute(item.ConnType, true, kTransportQueryMinimumVersion)});
  }
  return upcoming;
}

namespace {

QString routeText(QueryRoute route) {
  return unicode(route == QueryRoute::IpTransport ? text::kViaTransport : text::kViaHost);
}

// The cells of the polls' rows, each text made once: a station's when its first poll comes, a
// minute's when the first poll of that minute does.
class PollCells {
 public:
  explicit PollCells(const tAutoAZS& registry)
      : registry_(registry), stations_(static_cast<std::size_t>(registry.Count())) {}

  std::array<QStringView, 5> row(const UpcomingPoll& poll) {
    if (shownMinute_ != poll.minute) {
      shownMinute_ = poll.minute;
      moment_ = momentText(poll.moment);
    }
    std::optional<std::array<QString, 3>>& station =
        stations_[static_cast<std::size_t>(poll.position)];
    if (!station) {
      const TAzsItem& item = registry_.Items(poll.position);
      auto caption = connections_.find(item.ConnType);
      if (caption == connections_.end()) {
        caption = connections_.emplace(item.ConnType, connectionCaption(item.ConnType)).first;
      }
      station = {unicode(item.AZSName), item.HasUserQuery ? asks_ : doesNotAsk_, caption->second};
    }
    return {moment_, (*station)[0], (*station)[1], (*station)[2],
            poll.route == QueryRoute::IpTransport ? viaTransport_ : viaHost_};
  }

 private:
  const tAutoAZS& registry_;
  std::vector<std::optional<std::array<QString, 3>>> stations_;
  std::optional<int64_t> shownMinute_;
  QString moment_;
  std::map<int32_t, QString> connections_;
  const QString asks_ = unicode(text::kAsks);
  const QString doesNotAsk_ = unicode(text::kDoesNotAsk);
  const QString viaHost_ = routeText(QueryRoute::Host);
  const QString viaTransport_ = routeText(QueryRoute::IpTransport);
};

}  // namespace

void writeUpcomingPollsText(QTextStream& out, const tAutoAZS& registry,
                            const std::vector<UpcomingPoll>& polls, int hours) {
  if (polls.empty()) {
    out << unicode(text::kNoPolls) + QString::number(hours) + unicode(text::kHoursSuffix) + '\n';
    return;
  }
  const QStringList header = unicode(text::kNextHeader).split('\t');
  const std::vector<QStringView> headerCells(header.begin(), header.end());
  AlignedColumns columns;
  columns.fit(headerCells);
  PollCells cells(registry);
  for (const UpcomingPoll& poll : polls) columns.fit(cells.row(poll));
  columns.write(out, headerCells);
  for (const UpcomingPoll& poll : polls) columns.write(out, cells.row(poll));
}

QJsonObject upcomingPollsJson(const tAutoAZS& registry, const std::vector<UpcomingPoll>& polls,
                              const QDateTime& from, int hours) {
  QJsonArray entries;
  for (const UpcomingPoll& upcoming : polls) {
    const TAzsItem& item = registry.Items(upcoming.position);
    entries.append(
        QJsonObject{{"time", momentJson(upcoming.moment)},
                    {"index", upcoming.position},
                    {"slot", upcoming.slot},
                    {"name", unicode(item.AZSName)},
                    {"asks", item.HasUserQuery},
                    {"connectionType", item.ConnType},
                    {"connectionTypeText", connectionCaption(item.ConnType)},
                    {"route", upcoming.route == QueryRoute::IpTransport ? "ipTransport" : "host"}});
  }
  return {{"from", momentJson(from)}, {"hours", hours}, {"polls", entries}};
}

}  // namespace tarvel::autoquery::schedule
