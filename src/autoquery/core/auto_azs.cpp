#include "autoquery/core/auto_azs.h"

#include <algorithm>
#include <stdexcept>

#include "autoquery/core/autoquery_texts.h"
#include "platform/profile_file.h"

namespace tarvel::autoquery {
namespace {

constexpr std::string_view kHeaderSection = "AutoZapros";

void checkPosition(int32_t position, int32_t count) {
  if (position < 0 || position >= count) {
    throw std::out_of_range("tAutoAZS: no item at position " + std::to_string(position) + " of " +
                            std::to_string(count));
  }
}

}  // namespace

std::string itemSectionName(int32_t position) {
  return "AutoZaprosItem" + std::to_string(position);
}

tAutoAZS::~tAutoAZS() {
  for (auto& item : items_) item.reset();
  items_.clear();
}

TAzsItem& tAutoAZS::Items(int32_t position) {
  checkPosition(position, Count());
  return *items_[static_cast<std::size_t>(position)];
}

const TAzsItem& tAutoAZS::Items(int32_t position) const {
  checkPosition(position, Count());
  return *items_[static_cast<std::size_t>(position)];
}

TAzsItem& tAutoAZS::Add() {
  auto item = std::make_unique<TAzsItem>();
  item->Index = Count();
  items_.push_back(std::move(item));
  return *items_.back();
}

void tAutoAZS::Delete(int32_t position) {
  checkPosition(position, Count());
  items_.erase(items_.begin() + position);
}

void tAutoAZS::LoadFromIni(const std::filesystem::path& fileName) {
  LoadFromIni(platform::ProfileFile::openForReading(fileName));
}

void tAutoAZS::LoadFromIni(const platform::ProfileFile& ini) {
  const int32_t count =
      std::clamp(ini.readInteger(kHeaderSection, "Count", 0), int32_t{0}, kMaxItemCount);
  items_.reserve(items_.size() + static_cast<std::size_t>(count));
  int64_t slotsLeft = kMaxConnectionPointTotal;
  unreadSlots_ = {};
  for (int32_t stored = 0; stored < count; ++stored) {
    TAzsItem& item = Add();
    const int32_t unread = item.LoadFromIni(
        ini, itemSectionName(stored),
        static_cast<int32_t>(std::min<int64_t>(slotsLeft, kMaxConnectionPointCount)));
    if (item.CP) slotsLeft -= static_cast<int64_t>(item.CP->size());
    if (unread > 0) {
      if (unreadSlots_.stations++ == 0) unreadSlots_.firstStation = item.AZSName;
      unreadSlots_.slotCount += unread;
    }
  }
}

void tAutoAZS::ReloadFromIni(const std::filesystem::path& fileName) {
  for (auto& item : items_) item.reset();
  items_.clear();
  LoadFromIni(fileName);
}

void tAutoAZS::SaveToIni(const std::filesystem::path& fileName) const {
  if (Count() > kMaxItemCount) {
    throw std::length_error(text::kTooManyItems + std::to_string(kMaxItemCount));
  }
  platform::ProfileFile ini = platform::ProfileFile::openForWriting(fileName);
  // A Count that is no count made the loading read no item at all: the file's items would be
  // written over by whatever the registry holds instead of them.
  if (const auto stored = ini.readRawString(kHeaderSection, "Count");
      stored && ini.readInteger(kHeaderSection, "Count", -1) < 0) {
    throw std::runtime_error(text::kCountNotANumber + *stored);
  }
  ini.writeInteger(kHeaderSection, "Count", Count());
  for (int32_t position = 0; position < Count(); ++position) {
    items_[static_cast<std::size_t>(position)]->SaveToIni(ini, itemSectionName(position));
  }
  ini.commit();
}

std::string unreadSlotsReport(const UnreadSlots& unread) {
  if (unread.stations == 0) return {};
  return text::kSlotsUnread + std::to_string(kMaxConnectionPointTotal) + text::kSlotsUnreadCount +
         std::to_string(unread.slotCount) + text::kSlotsUnreadStations +
         std::to_string(unread.stations) + text::kSlotsUnreadFirst + unread.firstStation +
         text::kSlotsUnreadKept;
}

const char* WeekDayName(platform::DateTime date) {
  return text::kWeekDayNames[platform::isoWeekday(date) - 1];
}

}  // namespace tarvel::autoquery
