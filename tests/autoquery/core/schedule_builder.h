// Schedules written out field by field for the office's rule and engine tests.
#pragma once

#include <string>
#include <vector>

#include "autoquery/core/auto_azs.h"

namespace tarvel::testing {

using autoquery::ConnectionPoint;
using autoquery::ScheduleKind;
using autoquery::tAutoAZS;
using autoquery::TAzsItem;

struct Schedule {
  std::string AZSName = "A";
  bool Enable = true;
  bool HasUserQuery = false;
  int32_t ConnType = 1;
  int32_t ConnTimeTipe = ScheduleKind::Daily;
  std::vector<ConnectionPoint> CP;
  std::vector<int32_t> slotsWithoutKey = {};  // midnights read for missing keys
};

inline TAzsItem& addSchedule(tAutoAZS& registry, const Schedule& schedule) {
  TAzsItem& item = registry.Add();
  item.AZSName = schedule.AZSName;
  item.Enable = schedule.Enable;
  item.HasUserQuery = schedule.HasUserQuery;
  item.ConnType = schedule.ConnType;
  item.ConnTimeTipe = schedule.ConnTimeTipe;
  item.CP = schedule.CP;
  item.slotsWithoutKey = schedule.slotsWithoutKey;
  return item;
}

}  // namespace tarvel::testing
