#include "autoquery/tools/schedule/check_command.h"

#include <QJsonArray>
#include <algorithm>
#include <map>
#include <set>

#include "autoquery/core/poll_due.h"
#include "autoquery/core/time_text.h"
#include "autoquery/tools/schedule/file_content_check.h"
#include "autoquery/tools/schedule/schedule_texts.h"
#include "autoquery/tools/schedule/schedule_words.h"
#include "platform/clock.h"
#include "platform/profile_values.h"
#include "platform/text.h"
#include "settings/connection_type.h"

namespace tarvel::autoquery::schedule {
namespace {

constexpr std::string_view kHeaderSection = "AutoZapros";

std::string slotKey(int32_t slot) { return "CP" + std::to_string(slot) + "time"; }

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

// Every text the engine's clock can show as "hh:nn": a time that is none of them never fires.
const std::set<std::string>& clockTexts() {
  static const std::set<std::string> texts = [] {
    std::set<std::string> all;
    for (int minute = 0; minute < 1440; ++minute) {
      all.insert(platform::formatHourMinute(platform::encodeTime(minute / 60, minute % 60)));
    }
    return all;
  }();
  return texts;
}

class Checker {
 public:
  Checker(const platform::ProfileFile& ini, const tAutoAZS& registry)
      : ini_(ini), registry_(registry) {}

  std::vector<Finding> run() {
    findings_ = checkFileContent(ini_.bytesAsRead(), registry_);
    checkSectionsBeyond(checkHeader());
    checkSomethingPolled();
    // Sections Count includes but the file lacks: those items read as fresh ones.
    int32_t missingFrom = -1;
    for (int32_t position = 0; position <= registry_.Count(); ++position) {
      const bool present =
          position == registry_.Count() || ini_.sectionExists(itemSectionName(position));
      if (!present && missingFrom < 0) missingFrom = position;
      if (present && missingFrom >= 0) {
        add("sections-missing", runName(missingFrom, position), "", text::kSectionsMissing);
        missingFrom = -1;
      }
      if (present && position < registry_.Count()) checkItem(position);
    }
    checkNames();
    return std::move(findings_);
  }

 private:
  void add(std::string kind, std::string section, std::string key, std::string message) {
    findings_.push_back({std::move(kind), std::move(section), std::move(key), std::move(message)});
  }

  static std::string runName(int32_t first, int32_t end) {
    if (end - first == 1) return itemSectionName(first);
    return itemSectionName(first) + " .. " + itemSectionName(end - 1);
  }

  // Count as the loading reads it; the number of items the registry holds.
  int32_t checkHeader() {
    const std::string section(kHeaderSection);
    const auto raw = ini_.readRawString(kHeaderSection, "Count");
    if (!raw) {
      add("count-missing", section, "Count",
          ini_.sectionExists(kHeaderSection) ? text::kCountMissing : text::kHeaderMissing);
      return registry_.Count();
    }
    const auto value = platform::parseProfileInteger(ini_.readString(kHeaderSection, "Count", ""));
    if (!value) {
      add("count-unreadable", section, "Count", text::kCountUnreadable + (": " + quoted(*raw)));
    } else if (*value < 0) {
      add("count-negative", section, "Count", text::kCountNegative);
    } else if (*value > kMaxItemCount) {
      add("count-above-limit", section, "Count",
          text::kCountAboveLimit + std::to_string(kMaxItemCount));
    }
    return registry_.Count();
  }

  // A file that polls nothing keeps the office silent; a look from monitoring must see it.
  void checkSomethingPolled() {
    for (int32_t position = 0; position < registry_.Count(); ++position) {
      if (isEverPolled(registry_.Items(position))) return;
    }
    add("nothing-polled", std::string(kHeaderSection), "", text::kNothingPolled);
  }

  // Item sections past Count, up to far beyond anything the loading could read.
  void checkSectionsBeyond(int32_t count) {
    const int32_t probeEnd = std::max(count, kMaxItemCount) + kMaxItemCount;
    int32_t runStart = -1;
    for (int32_t position = count; position <= probeEnd; ++position) {
      const bool present = position < probeEnd && ini_.sectionExists(itemSectionName(position));
      if (present && runStart < 0) runStart = position;
      if (!present && runStart >= 0) {
        add("sections-beyond-count", runName(runStart, position), "",
            text::kSectionsBeyondCount + std::to_string(count) + text::kNotRead);
        runStart = -1;
      }
    }
  }

  // A key whose text is no number: the loading took the default instead.
  void checkNumber(const std::string& section, const char* key, bool isBoolean) {
    const auto raw = ini_.readRawString(section, key);
    if (!raw) return;
    const std::string value = ini_.readString(section, key, "");
    const bool readable = isBoolean ? platform::parseProfileBool(value).has_value()
                                    : platform::parseProfileInteger(value).has_value();
    if (!readable)
      add("value-unreadable", section, key, text::kValueUnreadable + (": " + quoted(*raw)));
  }

  void checkItem(int32_t position) {
    const TAzsItem& item = registry_.Items(position);
    const std::string section = itemSectionName(position);
    checkNumber(section, "Enable", true);
    checkNumber(section, "HasUserQuery", true);
    checkNumber(section, "ConnType", false);
    checkNumber(section, "ConnTimeTipe", false);
    const auto rawName = ini_.readRawString(section, "AZSName");
    if (rawName) {
      const std::string_view trimmed = platform::trimBlanks(*rawName);
      if (trimmed.size() >= 2 && (trimmed.front() == '"' || trimmed.front() == '\'') &&
          trimmed.back() == trimmed.front()) {
        add("name-quotes-removed", section, "AZSName",
            text::kNameQuotesRemoved + quoted(item.AZSName));
      }
    }
    if (item.ConnType != settings::ConnectionType::Modem &&
        item.ConnType != settings::ConnectionType::Mail &&
        item.ConnType != settings::ConnectionType::DirectIp) {
      add("connection-type-unknown", section, "ConnType",
          text::kConnectionUnknown + (" " + std::to_string(item.ConnType)));
    }
    const bool daily = item.ConnTimeTipe == ScheduleKind::Daily;
    const bool weekdays = item.ConnTimeTipe == ScheduleKind::Weekdays;
    if (!daily && !weekdays) {
      if (item.ConnTimeTipe != ScheduleKind::MonthDates) {
        add("kind-unknown", section, "ConnTimeTipe",
            text::kKindUnknown + (" " + std::to_string(item.ConnTimeTipe)));
      }
      return;
    }
    checkSlotCount(item, section, weekdays);
    if (!item.CP) return;
    checkTimes(item, section, weekdays);
  }

  void checkSlotCount(const TAzsItem& item, const std::string& section, bool weekdays) {
    const auto raw = ini_.readRawString(section, "CPcount");
    const auto value =
        raw ? platform::parseProfileInteger(ini_.readString(section, "CPcount", "")) : std::nullopt;
    if (raw) checkNumber(section, "CPcount", false);
    if (!value) {
      if (ini_.readRawString(section, slotKey(0))) {
        add("times-not-counted", section, "CPcount", text::kTimesNotCounted);
      }
      return;
    }
    if (*value < 0) {
      add("cpcount-negative", section, "CPcount", text::kCpCountNegative);
    } else if (*value > kMaxConnectionPointCount) {
      add("cpcount-above-limit", section, "CPcount",
          text::kCpCountAboveLimit + std::to_string(countedSlots(ini_, section, *value)));
    } else if (weekdays && *value > kWeekdaySlotCount) {
      add("cpcount-above-limit", section, "CPcount", text::kWeekdaySlotsBeyondSunday);
    }
    const auto wanted = countedSlots(ini_, section, *value);
    const auto read = item.CP ? static_cast<int32_t>(item.CP->size()) : 0;
    if (read < wanted)
      add("slot-budget", section, "CPcount", text::kSlotBudget + std::to_string(read));
    // Keys missing below the count read as "00:00": a poll at midnight nobody asked for. (Above
    // the bound a missing key leaves its slot unset instead.)
    int32_t runStart = -1;
    for (int32_t slot = 0; slot <= read; ++slot) {
      const bool missing = slot < read && (*item.CP)[static_cast<std::size_t>(slot)] &&
                           !ini_.readRawString(section, slotKey(slot));
      if (missing && runStart < 0) runStart = slot;
      if (!missing && runStart >= 0) {
        add("time-missing", section,
            slot - runStart == 1 ? slotKey(runStart)
                                 : slotKey(runStart) + " .. " + slotKey(slot - 1),
            text::kTimeMissing);
        runStart = -1;
      }
    }
  }

  void checkTimes(const TAzsItem& item, const std::string& section, bool weekdays) {
    std::map<std::string, int32_t> seen;
    const auto& points = *item.CP;
    for (int32_t slot = 0; slot < static_cast<int32_t>(points.size()); ++slot) {
      if (!points[slot] || !ini_.readRawString(section, slotKey(slot))) continue;
      const std::string& time = *points[slot];
      if (weekdays && (slot >= kWeekdaySlotCount || time.empty())) continue;
      // The chart reads every daily time and every weekday time of four characters or more.
      const bool chartReads = !weekdays || time.size() >= 4;
      if (chartReads && !readTimeText(time)) {
        add("time-refused-by-chart", section, slotKey(slot),
            text::kTimeRefusedByChart + quoted(time));
      } else if (!clockTexts().contains(time)) {
        add("time-never-due", section, slotKey(slot), text::kTimeNeverDue + quoted(time));
      } else if (!weekdays && !seen.emplace(time, slot).second) {
        add("time-duplicate", section, slotKey(slot),
            text::kTimeDuplicate + quoted(time) + " (" + slotKey(seen[time]) + ")");
      }
    }
  }

  // Two items of one name poll the same station; the file may spell them apart only by blanks
  // or quotes that the reading removes.
  void checkNames() {
    std::map<std::string, int32_t> first;
    for (int32_t position = 0; position < registry_.Count(); ++position) {
      const TAzsItem& item = registry_.Items(position);
      const auto [earlier, isNew] = first.emplace(item.AZSName, position);
      if (isNew) continue;
      const std::string section = itemSectionName(position);
      const auto spelled = ini_.readRawString(section, "AZSName");
      const auto spelledBefore = ini_.readRawString(itemSectionName(earlier->second), "AZSName");
      std::string message =
          text::kNameDuplicate + itemSectionName(earlier->second) + ": " + quoted(item.AZSName);
      if (spelled && spelledBefore &&
          platform::trimBlanks(*spelled) != platform::trimBlanks(*spelledBefore)) {
        message += text::kNameSpelledOtherwise;
      }
      add("name-duplicate", section, "AZSName", message);
    }
  }

  const platform::ProfileFile& ini_;
  const tAutoAZS& registry_;
  std::vector<Finding> findings_;
};

}  // namespace

std::vector<Finding> checkSchedule(const platform::ProfileFile& ini, const tAutoAZS& registry) {
  return Checker(ini, registry).run();
}

QString findingsText(const std::vector<Finding>& findings) {
  if (findings.empty()) return unicode(text::kNothingFound) + '\n';
  QString result;
  for (const Finding& finding : findings) {
    // A finding of the file as a whole stands without a section.
    if (!finding.section.empty()) {
      result += '[' + unicode(finding.section) + ']';
      if (!finding.key.empty()) result += ' ' + unicode(finding.key);
      result += ": ";
    }
    result += unicode(finding.message) + '\n';
  }
  return result + unicode(text::kFindingsFound) + QString::number(findings.size()) + '\n';
}

QJsonObject findingsJson(const std::vector<Finding>& findings) {
  QJsonArray entries;
  for (const Finding& finding : findings) {
    entries.append(QJsonObject{{"kind", QString::fromStdString(finding.kind)},
                               {"section", unicode(finding.section)},
                               {"key", unicode(finding.key)},
                               {"message", unicode(finding.message)}});
  }
  return {{"findings", entries}};
}

}  // namespace tarvel::autoquery::schedule
