#include "autoquery/tools/schedule/next_command.h"

#include <QJsonArray>

#include "autoquery/tools/schedule/schedule_texts.h"
#include "autoquery/tools/schedule/schedule_words.h"
#include "platform/clock.h"
#include "platform/cp1251.h"

namespace tarvel::autoquery::schedule {

std::vector<UpcomingPoll> upcomingPolls(const tAutoAZS& registry, const QDateTime& from, int hours,
                                        const std::optional<std::string>& station) {
  // Wall-clock minutes, as the office's clock shows them to the engine.
  const QDate firstDay = from.date();
  const int firstMinute = from.time().hour() * 60 + from.time().minute();
  std::vector<UpcomingPoll> upcoming;
  for (int offset = 0; offset < hours * 60; ++offset) {
    const QDate day = firstDay.addDays((firstMinute + offset) / 1440);
    const int minuteOfDay = (firstMinute + offset) % 1440;
    const platform::DateTime moment = platform::encodeDateTime(day.year(), day.month(), day.day(),
                                                               minuteOfDay / 60, minuteOfDay % 60);
    for (DuePoll& poll : duePolls(registry, moment)) {
      if (station && !platform::equalsIgnoringCase(poll.AZSName, *station)) continue;
      const QueryRoute route = queryRoute(poll.ConnType, true, kTransportQueryMinimumVersion);
      upcoming.push_back(
          {QDateTime(day, QTime(minuteOfDay / 60, minuteOfDay % 60)), std::move(poll), route});
    }
  }
  return upcoming;
}

namespace {

QString routeText(QueryRoute route) {
  return unicode(route == QueryRoute::IpTransport ? text::kViaTransport : text::kViaHost);
}

}  // namespace

QString upcomingPollsText(const std::vector<UpcomingPoll>& polls, int hours) {
  if (polls.empty()) {
    return unicode(text::kNoPolls) + QString::number(hours) + unicode(text::kHoursSuffix) + '\n';
  }
  QList<QStringList> rows{unicode(text::kNextHeader).split('\t')};
  for (const UpcomingPoll& upcoming : polls) {
    rows << QStringList{momentText(upcoming.minute), unicode(upcoming.poll.AZSName),
                        unicode(upcoming.poll.HasUserQuery ? text::kAsks : text::kDoesNotAsk),
                        connectionCaption(upcoming.poll.ConnType), routeText(upcoming.route)};
  }
  return alignedColumns(rows);
}

QJsonObject upcomingPollsJson(const std::vector<UpcomingPoll>& polls, const QDateTime& from,
                              int hours) {
  QJsonArray entries;
  for (const UpcomingPoll& upcoming : polls) {
    entries.append(
        QJsonObject{{"time", momentJson(upcoming.minute)},
                    {"index", upcoming.poll.position},
                    {"slot", upcoming.poll.slot},
                    {"name", unicode(upcoming.poll.AZSName)},
                    {"asks", upcoming.poll.HasUserQuery},
                    {"connectionType", upcoming.poll.ConnType},
                    {"connectionTypeText", connectionCaption(upcoming.poll.ConnType)},
                    {"route", upcoming.route == QueryRoute::IpTransport ? "ipTransport" : "host"}});
  }
  return {{"from", momentJson(from)}, {"hours", hours}, {"polls", entries}};
}

}  // namespace tarvel::autoquery::schedule
