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

tAutoAZS::tAutoAZS(ViewFactory viewFactory) : viewFactory_(std::move(viewFactory)) {}

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
  if (viewFactory_) item->Frame = viewFactory_();
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
  for (int32_t stored = 0; stored < count; ++stored) {
    TAzsItem& item = Add();
    item.LoadFromIni(ini, itemSectionName(stored),
                     static_cast<int32_t>(std::min<int64_t>(slotsLeft, kMaxConnectionPointCount)));
    if (item.CP) slotsLeft -= static_cast<int64_t>(item.CP->size());
    if (item.Frame) {
      item.Frame->setVisible(true);
      item.Frame->setAZSIndex(Count() - 1);
    }
    item.RefreshFrame();
  }
}

void tAutoAZS::SaveToIni(const std::filesystem::path& fileName) const {
  platform::ProfileFile ini = platform::ProfileFile::openForWriting(fileName);
  ini.writeInteger(kHeaderSection, "Count", Count());
  for (int32_t position = 0; position < Count(); ++position) {
    items_[static_cast<std::size_t>(position)]->SaveToIni(ini, itemSectionName(position));
  }
  ini.commit();
}

int isoWeekday(platform::DateTime date) {
  const platform::DateTimeParts parts = platform::decodeDateTime(date);
  const auto day =
      static_cast<int64_t>(platform::encodeDateTime(parts.year, parts.month, parts.day));
  // Day 0, 30 December 1899, was a Saturday (ISO 6).
  const int64_t fromMonday = ((day + 5) % 7 + 7) % 7;
  return static_cast<int>(fromMonday) + 1;
}

const char* WeekDayName(platform::DateTime date) {
  return text::kWeekDayNames[isoWeekday(date) - 1];
}

}  // namespace tarvel::autoquery
