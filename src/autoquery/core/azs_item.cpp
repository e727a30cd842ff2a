#include "autoquery/core/azs_item.h"

#include <algorithm>

#include "autoquery/core/autoquery_texts.h"
#include "platform/profile_file.h"

namespace tarvel::autoquery {
namespace {

// The time a slot gets when its key is missing from the file.
constexpr std::string_view kMissingTime = "00:00";

std::string slotKey(std::size_t slot) { return "CP" + std::to_string(slot) + "time"; }

bool holdsTimes(int32_t kind) {
  return kind == ScheduleKind::Daily || kind == ScheduleKind::Weekdays;
}

}  // namespace

TAzsItem::TAzsItem() : AZSName(text::kUndefinedName) {}

int32_t TAzsItem::LoadFromIni(const platform::ProfileFile& ini, const std::string& section,
                              int32_t slotLimit) {
  Enable = ini.readBool(section, "Enable", false);
  HasUserQuery = ini.readBool(section, "HasUserQuery", true);
  AZSName = ini.readString(section, "AZSName", AZSName);
  ConnType = ini.readInteger(section, "ConnType", ConnType);
  ConnTimeTipe = ini.readInteger(section, "ConnTimeTipe", ConnTimeTipe);
  if (!holdsTimes(ConnTimeTipe)) return 0;

  const int32_t stored = ini.readInteger(section, "CPcount", 0);
  const int32_t counted = countedSlots(ini, section, stored);
  const int32_t count =
      std::min(counted, std::clamp(slotLimit, int32_t{0}, kMaxConnectionPointCount));
  keepsStoredTimes = stored > kMaxConnectionPointCount || count < counted;
  std::vector<ConnectionPoint> slots;
  slots.reserve(static_cast<std::size_t>(count));
  slotsWithoutKey.clear();
  for (int32_t slot = 0; slot < count; ++slot) {
    const std::string key = slotKey(static_cast<std::size_t>(slot));
    if (stored <= kMaxConnectionPointCount) {
      if (!ini.readRawString(section, key)) slotsWithoutKey.push_back(slot);
      slots.emplace_back(ini.readString(section, key, kMissingTime));
    } else if (ini.readRawString(section, key)) {
      slots.emplace_back(ini.readString(section, key, ""));
    } else {
      // A count nobody wrote says nothing of the times it does not hold: no made-up midnight.
      slots.emplace_back(std::nullopt);
    }
  }
  CP = std::move(slots);
  return counted - count;
}

bool isSlotWithoutKey(const TAzsItem& item, int32_t slot) {
  return std::binary_search(item.slotsWithoutKey.begin(), item.slotsWithoutKey.end(), slot);
}

int32_t countedSlots(const platform::ProfileFile& ini, const std::string& section,
                     int32_t CPcount) {
  if (CPcount <= kMaxConnectionPointCount) return std::max(CPcount, int32_t{0});
  for (int32_t slot = kMaxConnectionPointCount; slot > 0; --slot) {
    if (ini.readRawString(section, slotKey(static_cast<std::size_t>(slot - 1)))) return slot;
  }
  return 0;
}

void TAzsItem::SaveToIni(platform::ProfileFile& ini, const std::string& section) const {
  ini.writeBool(section, "Enable", Enable);
  ini.writeBool(section, "HasUserQuery", HasUserQuery);
  ini.writeString(section, "AZSName", AZSName);
  ini.writeInteger(section, "ConnType", ConnType);
  ini.writeInteger(section, "ConnTimeTipe", ConnTimeTipe);
  if (!holdsTimes(ConnTimeTipe) || !CP || keepsStoredTimes) return;

  std::size_t count = CP->size();
  if (ConnTimeTipe == ScheduleKind::Weekdays) {
    count = std::min<std::size_t>(count, kWeekdaySlotCount);
  }
  ini.writeInteger(section, "CPcount", static_cast<int32_t>(count));
  for (std::size_t slot = 0; slot < count; ++slot) {
    // Unset slots get no key; an empty weekday is written as an empty value. A midnight read
    // without a key stays without one, so that it is read back as the same single poll.
    if ((*CP)[slot] && !isSlotWithoutKey(*this, static_cast<int32_t>(slot))) {
      ini.writeString(section, slotKey(slot), *(*CP)[slot]);
    }
  }
}

}  // namespace tarvel::autoquery
