// The registry of all station poll schedules at the office (tAutoAZS): it owns the items, keeps
// them in cnf.INI (section AutoZapros with Count, one section AutoZaprosItem<i> per item) and
// attaches each item's view in the office window through a factory the window provides.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "autoquery/core/azs_item.h"
#include "platform/clock.h"

namespace tarvel::autoquery {

// The most items LoadFromIni makes: far above any real chain (hundreds of stations). A Count
// that no plug-in wrote (an absurd number from a damaged or hand-edited file) loads this many
// items, a negative one none, so a file cannot make Load hang or exhaust the host's memory: each
// item brings a frame of widgets into the office window, about half a millisecond and 15 KB
// apiece. Up to the bound, a Count larger than the sections present still loads that many
// items, the missing ones fresh.
inline constexpr int32_t kMaxItemCount = 10'000;
// The most slots LoadFromIni reads for all items together: a thousand stations polled every
// minute, or ten thousand every ten minutes. Without it a small hand-edited file (10 000 short
// sections, each saying CPcount=1440) would make Load read 14.4 million slots, about 600 MB. Items
// beyond the budget get only what is left of it.
inline constexpr int64_t kMaxConnectionPointTotal = 1'440'000;

// "AutoZaprosItem" followed by the position in decimal.
std::string itemSectionName(int32_t position);

class tAutoAZS {
 public:
  // Makes the view of a new item (the office window's TAZSFrame inside its ScrollBox1, not yet
  // shown). An empty factory gives items without a view, as tests and benchmarks use them.
  using ViewFactory = std::function<std::unique_ptr<ItemView>()>;

  explicit tAutoAZS(ViewFactory viewFactory = {});
  tAutoAZS(const tAutoAZS&) = delete;
  tAutoAZS& operator=(const tAutoAZS&) = delete;
  // Frees every item, and so every view, in index order.
  ~tAutoAZS();

  int32_t Count() const { return static_cast<int32_t>(items_.size()); }

  // The item at a position; std::out_of_range outside 0 .. Count() - 1.
  TAzsItem& Items(int32_t position);
  const TAzsItem& Items(int32_t position) const;

  // Appends a fresh item with Index equal to its position and its view made by the factory;
  // neither shows the view nor sets its AZSIndex (the callers do).
  TAzsItem& Add();

  // Frees the item at a position and moves the later ones down; their Index and AZSIndex keep
  // their old values. std::out_of_range outside 0 .. Count() - 1.
  void Delete(int32_t position);

  // Appends the items stored in the file: each is loaded from its section, its view shown, its
  // AZSIndex set to its position and its view refreshed. A missing file or section reads as
  // the defaults. Throws std::runtime_error when the file exists but cannot be read.
  void LoadFromIni(const std::filesystem::path& fileName);
  // The same from a file already opened (a reader that must not take the file's lock opens it
  // with ProfileFile::openWithoutLock).
  void LoadFromIni(const platform::ProfileFile& ini);

  // Writes Count and every item in one operation of the file: the new schedules reach it
  // together or not at all. Sections of items beyond Count are left as they are. Throws
  // std::runtime_error when the file cannot be written (the old file then stays whole).
  void SaveToIni(const std::filesystem::path& fileName) const;

 private:
  ViewFactory viewFactory_;
  std::vector<std::unique_ptr<TAzsItem>> items_;
};

// The two-letter Russian name of the ISO weekday of a date: "ПН" for Monday to "ВС" for Sunday.
const char* WeekDayName(platform::DateTime date);

// The ISO weekday of a date: 1 Monday to 7 Sunday.
int isoWeekday(platform::DateTime date);

}  // namespace tarvel::autoquery
