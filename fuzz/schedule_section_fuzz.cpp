// A station's schedule section of any content loads within its bounds, and what it saves reads
// back as it was saved, texts with their blanks and quotes included, with a weekday list kept
// to seven slots; times the item could not take as they stand are left in the file untouched. The chart reads every time text it is
// given as the hours and minutes of its two digit pairs, or as nothing.
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "autoquery/core/azs_item.h"
#include "autoquery/core/time_text.h"
#include "platform/profile_file.h"

namespace {

using tarvel::autoquery::kWeekdaySlotCount;
using tarvel::autoquery::ScheduleKind;
using tarvel::autoquery::TAzsItem;
using tarvel::platform::ProfileFile;

constexpr const char* kSection = "AutoZaprosItem0";
// Reading a section's keys costs in proportion to its lines, so a section of all 1 440 slots
// costs a hundred milliseconds per input here and would starve the search; the items read at
// most this many (the full bound is the unit tests' part).
constexpr int32_t kSlotLimit = 64;

void check(bool condition) {
  if (!condition) std::abort();
}

// One folder for the whole run, so that each input costs two small files and no fsync.
const std::filesystem::path& workFolder() {
  static const std::filesystem::path folder = [] {
    std::string pattern = (std::filesystem::temp_directory_path() / "schedule-fuzz-XXXXXX");
    check(mkdtemp(pattern.data()) != nullptr);
    return std::filesystem::path(pattern);
  }();
  return folder;
}

bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

void readAsTheChartDoes(std::string_view text) {
  const auto time = tarvel::autoquery::readTimeText(text);
  const bool readable = text.size() >= 5 && isDigit(text[0]) && isDigit(text[1]) &&
                        isDigit(text[3]) && isDigit(text[4]);
  check(time.has_value() == readable);
  if (!time) return;
  check(time->hours == (text[0] - '0') * 10 + (text[1] - '0'));
  check(time->minutes == (text[3] - '0') * 10 + (text[4] - '0'));
  check(time->clockForm == (text.size() == 5 && text[2] == ':'));
}

void checkBounds(const TAzsItem& item) {
  const bool holdsTimes =
      item.ConnTimeTipe == ScheduleKind::Daily || item.ConnTimeTipe == ScheduleKind::Weekdays;
  check(item.CP.has_value() == holdsTimes);
  if (!item.CP) return;
  check(item.CP->size() <= static_cast<std::size_t>(kSlotLimit));
  for (const auto& slot : *item.CP) {
    // Filled, "00:00" where its key is missing, unless the count was above the bound: then only
    // the slots whose key the section holds are filled, and the file keeps the times.
    check(slot.has_value() || item.keepsStoredTimes);
    if (slot) readAsTheChartDoes(*slot);
  }
}

// Saves the item into a file held in memory, empty or a copy of `startingFrom`, and loads a
// fresh item from what was saved.
TAzsItem saveAndLoad(const TAzsItem& item, const std::filesystem::path* startingFrom = nullptr) {
  const std::filesystem::path path = workFolder() / "saved.INI";
  std::filesystem::remove(path);
  if (startingFrom) std::filesystem::copy_file(*startingFrom, path);
  ProfileFile file = ProfileFile::openForWriting(path);
  item.SaveToIni(file, kSection);
  TAzsItem loaded;
  loaded.LoadFromIni(file, kSection, kSlotLimit);
  return loaded;  // nothing is committed: the file is dropped with the lock
}

// The item a save and load of item must give.
TAzsItem expectedAfterSaving(const TAzsItem& item) {
  TAzsItem expected;
  expected.Enable = item.Enable;
  expected.HasUserQuery = item.HasUserQuery;
  expected.AZSName = item.AZSName;
  expected.ConnType = item.ConnType;
  expected.ConnTimeTipe = item.ConnTimeTipe;
  if (item.CP && item.keepsStoredTimes) {
    expected.CP.emplace();  // nothing of the times is written, so an empty file holds none
  } else if (item.CP) {
    expected.CP.emplace();
    for (const auto& slot : *item.CP) expected.CP->emplace_back(slot.value_or(""));
    if (item.ConnTimeTipe == ScheduleKind::Weekdays && expected.CP->size() > kWeekdaySlotCount) {
      expected.CP->resize(kWeekdaySlotCount);
    }
  }
  return expected;
}

bool same(const TAzsItem& a, const TAzsItem& b) {
  return a.Enable == b.Enable && a.HasUserQuery == b.HasUserQuery && a.AZSName == b.AZSName &&
         a.ConnType == b.ConnType && a.ConnTimeTipe == b.ConnTimeTipe && a.CP == b.CP &&
         a.keepsStoredTimes == b.keepsStoredTimes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(bytes), size);
  readAsTheChartDoes(input);

  const std::filesystem::path path = workFolder() / "cnf.INI";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "[" << kSection << "]\n" << input;
  }
  TAzsItem loaded;
  loaded.LoadFromIni(ProfileFile::openForReading(path), kSection, kSlotLimit);
  checkBounds(loaded);

  const TAzsItem once = saveAndLoad(loaded);
  checkBounds(once);
  check(same(once, expectedAfterSaving(loaded)));
  check(same(saveAndLoad(once), expectedAfterSaving(once)));
  // Saved over the file it came from, an item that keeps the stored times reads back unchanged.
  if (loaded.keepsStoredTimes) check(same(saveAndLoad(loaded, &path), loaded));
  return 0;
}
