// The registry of all station poll schedules at the office (tAutoAZS): it owns the items and
// keeps them in cnf.INI (section AutoZapros with Count, one section AutoZaprosItem<i> per item).
// Plain data living from Load to UnLoad: the polling engine reads it, the office window lines it
// up with the office database, shows it as station frames of its own and, when it drops the
// changes of a visit, has it reloaded in place.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "autoquery/core/azs_item.h"
#include "platform/clock.h"

namespace tarvel::autoquery {

// The one bound of the registry: the most items LoadFromIni makes, the office window lines up
// with database rows and SaveToIni writes. Far above any real chain (hundreds of stations). A
// Count that no plug-in wrote (an absurd number from a damaged or hand-edited file) loads this
// many items, a negative one none, so a file cannot make Load hang or exhaust the host's memory.
// Up to the bound, a Count larger than the sections present still loads that many items, the
// missing ones fresh; beyond it, the file's items are never read, and the next SaveToIni counts
// only the registry's own.
inline constexpr int32_t kMaxItemCount = 10'000;
// The most slots LoadFromIni reads for all items together: a thousand stations polled every
// minute, or ten thousand every ten minutes. Without it a small hand-edited file (10 000 short
// sections, each saying CPcount=1440) would make Load read 14.4 million slots, about 600 MB. Items
// beyond the budget get only what is left of it and keep their times in the file as they are.
inline constexpr int64_t kMaxConnectionPointTotal = 1'440'000;

// What the last load left unread for the slot budget.
struct UnreadSlots {
  int32_t stations = 0;
  int64_t slotCount = 0;
  std::string firstStation;  // the name of the first station left short, Windows-1251
};

// "AutoZaprosItem" followed by the position in decimal.
std::string itemSectionName(int32_t position);

class tAutoAZS {
 public:
  tAutoAZS() = default;
  tAutoAZS(const tAutoAZS&) = delete;
  tAutoAZS& operator=(const tAutoAZS&) = delete;
  // Frees every item in index order.
  ~tAutoAZS();

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }

  // The item at a position; std::out_of_range outside 0 .. Count() - 1.
  TAzsItem& Items(int32_t position);
  const TAzsItem& Items(int32_t position) const;

  // Appends a fresh item with Index equal to its position.
  TAzsItem& Add();

  // Frees the item at a position and moves the later ones down; their Index and AZSIndex keep
  // their old values (and so do the AZSIndex of their frames). std::out_of_range outside
  // 0 .. Count() - 1.
  void Delete(int32_t position);

  // Appends the items stored in the file, each loaded from its section. A missing file or
  // section reads as the defaults. Throws std::runtime_error when the file exists but cannot
  // be read.
  void LoadFromIni(const std::filesystem::path& fileName);
  // The same from a file already opened (a reader that must not take the file's lock opens it
  // with ProfileFile::openWithoutLock).
  void LoadFromIni(const platform::ProfileFile& ini);

  // The same object becomes what a fresh registry loaded from the file would be: every item is
  // freed, then LoadFromIni. Whoever holds the registry keeps holding it. A failed read leaves
  // the items read before the failure (none when the file cannot be opened) and throws.
  void ReloadFromIni(const std::filesystem::path& fileName);

  // What the last LoadFromIni or ReloadFromIni left unread because the slot budget was spent.
  const UnreadSlots& unreadSlots() const { return unreadSlots_; }

  // Writes Count (the registry's, whatever the file held) and every item in one operation of
  // the file: the new schedules reach it together or not at all. Sections of items beyond Count
  // are left as they are and no longer read. Throws std::length_error, writing nothing, when the
  // registry holds more than kMaxItemCount items; std::runtime_error, writing nothing, when the
  // file's Count is present but no count (not an integer, or negative: the loading read none of
  // its items, which a save would overwrite), and when the file cannot be written (the old file
  // then stays whole).
  void SaveToIni(const std::filesystem::path& fileName) const;

 private:
  std::vector<std::unique_ptr<TAzsItem>> items_;
  UnreadSlots unreadSlots_;
};

// The operator's message (Windows-1251) on the slots a load left unread; empty when none were.
std::string unreadSlotsReport(const UnreadSlots& unread);

// The two-letter Russian name of the ISO weekday of a date: "ПН" for Monday to "ВС" for Sunday.
const char* WeekDayName(platform::DateTime date);

}  // namespace tarvel::autoquery
