// Stations for chart tests and the moments they are drawn at.
#pragma once

#include <QImage>
#include <memory>
#include <vector>

#include "autoquery/core/azs_item.h"
#include "platform/clock.h"

namespace tarvel::autoquery::chart::testing {

inline constexpr QRgb kButtonFace = 0xFFF0F0F0;

inline std::unique_ptr<TAzsItem> station(bool enable, int kind, std::vector<ConnectionPoint> times,
                                         const char* name = "A") {
  auto item = std::make_unique<TAzsItem>();
  item->Enable = enable;
  item->ConnTimeTipe = kind;
  item->CP = std::move(times);
  item->AZSName = name;
  return item;
}

inline std::unique_ptr<TAzsItem> daily(std::vector<ConnectionPoint> times, const char* name = "A") {
  return station(true, ScheduleKind::Daily, std::move(times), name);
}

inline std::vector<const TAzsItem*> pointers(const std::vector<std::unique_ptr<TAzsItem>>& items) {
  std::vector<const TAzsItem*> result;
  for (const auto& item : items) result.push_back(item.get());
  return result;
}

// Monday 7 December 2026 at the given time.
inline platform::DateTime monday(int hour = 0, int minute = 0, int second = 0) {
  return platform::encodeDateTime(2026, 12, 7, hour, minute, second);
}

}  // namespace tarvel::autoquery::chart::testing
