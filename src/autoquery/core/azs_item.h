// One station's poll schedule at the office (TAzsItem): whether it is polled automatically,
// whether the operator is asked first, how the office connects to it and at which times.
// Plain data: the office window makes the station's frame when it needs it and refreshes it
// from the record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "settings/connection_type.h"

namespace tarvel::platform {
class ProfileFile;
}

namespace tarvel::autoquery {

// The schedule kind (ConnTimeTipe). The stored field stays a 32-bit integer: other values are
// kept as read, have no times and are never polled.
struct ScheduleKind {
  enum : int32_t {
    Daily = 1,
    Weekdays = 2,
    MonthDates = 3,
  };
};

// One slot of CP: unset (std::nullopt) or filled with a time text "hh:nn", which may be empty
// (a weekday without a connection). The two must stay distinct.
using ConnectionPoint = std::optional<std::string>;

// The most slots one item reads from the file: one per minute of the day. A CPcount that no
// plug-in wrote (an absurd number from a damaged or hand-edited file) is read as this many, a
// negative one as none, so a file cannot make Load hang or exhaust the host's memory.
inline constexpr int32_t kMaxConnectionPointCount = 1440;
// Kind 2 keeps one slot per ISO weekday; later slots are not written.
inline constexpr int32_t kWeekdaySlotCount = 7;

class TAzsItem {
 public:
  int32_t Index = 0;
  bool Enable = false;
  bool HasUserQuery = true;
  std::string AZSName;  // Windows-1251; "Неопределено" for a fresh item
  int32_t ConnType = settings::ConnectionType::DirectIp;
  int32_t ConnTimeTipe = ScheduleKind::Daily;
  std::optional<std::vector<ConnectionPoint>> CP;  // absent, or the list of slots

  TAzsItem();

  // Fills a freshly constructed item from one section; missing keys keep the defaults. Kinds 1
  // and 2 read CPcount slots (at most slotLimit), each filled, "00:00" where its key is missing;
  // other kinds leave CP as it was.
  void LoadFromIni(const platform::ProfileFile& ini, const std::string& section,
                   int32_t slotLimit = kMaxConnectionPointCount);
  // Writes the item into one section of a file opened for writing; erases nothing. Kinds 1 and
  // 2 with a list write CPcount and the filled slots (kind 2 at most seven of them).
  void SaveToIni(platform::ProfileFile& ini, const std::string& section) const;
};

}  // namespace tarvel::autoquery
