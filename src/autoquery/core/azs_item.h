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

// The most slots one item reads from the file: one per minute of the day, as many as can hold
// different times. A CPcount above it (no plug-in writes one: a damaged or hand-edited file) is
// read as the times the section holds below the bound, a negative one as none, so a file can
// neither make Load hang nor make up polls at midnight for times it does not hold.
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
  // Set by LoadFromIni when the section's CPcount could not be taken as it stands (above the
  // bound, or beyond the registry's slot budget): SaveToIni then leaves CPcount and the times in
  // the file as they are, so that they change only by an edit of the times, which clears it.
  bool keepsStoredTimes = false;
  // The slots, ascending, that LoadFromIni filled with "00:00" because the section holds no key
  // for them (CPcount above the keys present). Nobody asked for their midnight: together they
  // are one poll, and SaveToIni leaves their keys missing. An edit of the times clears it.
  std::vector<int32_t> slotsWithoutKey;

  TAzsItem();

  // Fills a freshly constructed item from one section; missing keys keep the defaults. Kinds 1
  // and 2 read countedSlots() slots, at most slotLimit: up to the bound each is filled, "00:00"
  // where its key is missing; above it only the slots whose key is present are filled. Other
  // kinds leave CP as it was. Returns how many of the counted slots slotLimit left unread.
  int32_t LoadFromIni(const platform::ProfileFile& ini, const std::string& section,
                      int32_t slotLimit = kMaxConnectionPointCount);
  // Writes the item into one section of a file opened for writing; erases nothing. Kinds 1 and
  // 2 with a list write CPcount and the filled slots (kind 2 at most seven of them) but those
  // still read without a key, unless the item keeps the stored times.
  void SaveToIni(platform::ProfileFile& ini, const std::string& section) const;
};

// Whether LoadFromIni filled the slot with "00:00" for want of its key (see slotsWithoutKey).
bool isSlotWithoutKey(const TAzsItem& item, int32_t slot);

// The slots a section's CPcount stands for: the count itself from 0 up to the bound; above it,
// the slots up to the last time key (CP<i>time) the section holds below the bound.
int32_t countedSlots(const platform::ProfileFile& ini, const std::string& section, int32_t CPcount);

}  // namespace tarvel::autoquery
