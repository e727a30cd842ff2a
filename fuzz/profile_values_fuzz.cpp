// The typed value readers take any text, and what the writers write reads back as the value
// written: integers, booleans, date-times (days before 30.12.1899 included) and times of day.
#include <fuzzer/FuzzedDataProvider.h>

#include <QDate>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/clock.h"
#include "platform/profile_values.h"

namespace {

using namespace tarvel::platform;

void check(bool condition) {
  if (!condition) std::abort();
}

void readAnyText(const std::string& text) {
  if (const auto integer = parseProfileInteger(text)) {
    check(parseProfileInteger(formatProfileInteger(*integer)) == integer);
    check(parseProfileBool(text) == (*integer != 0));
  } else {
    check(!parseProfileBool(text));
  }
  if (const auto moment = parseProfileDateTime(text)) {
    check(parseProfileDateTime(formatProfileDateTime(*moment)) == moment);
  }
  if (const auto time = parseProfileTime(text)) {
    check(*time >= 0 && *time < 1);
    check(parseProfileTime(formatProfileTime(*time)) == time);
  }
}

void writeAndReadBack(FuzzedDataProvider& data) {
  const int32_t integer = data.ConsumeIntegral<int32_t>();
  check(parseProfileInteger(formatProfileInteger(integer)) == integer);
  const bool flag = data.ConsumeBool();
  check(parseProfileBool(formatProfileBool(flag)) == flag);

  const int year = data.ConsumeIntegralInRange(1, 9999);
  const int month = data.ConsumeIntegralInRange(1, 12);
  const int day = data.ConsumeIntegralInRange(1, QDate(year, month, 1).daysInMonth());
  const int hour = data.ConsumeIntegralInRange(0, 23);
  const int minute = data.ConsumeIntegralInRange(0, 59);
  const int second = data.ConsumeIntegralInRange(0, 59);
  const DateTime moment = encodeDateTime(year, month, day, hour, minute, second);
  const DateTimeParts parts = decodeDateTime(moment);
  check(parts.year == year && parts.month == month && parts.day == day && parts.hour == hour &&
        parts.minute == minute && parts.second == second && parts.millisecond == 0);
  check(parseProfileDateTime(formatProfileDateTime(moment)) == moment);
  const DateTime time = encodeTime(hour, minute, second);
  check(parseProfileTime(formatProfileTime(time)) == time);
  check(parseProfileTime(formatProfileTime(moment)) == time);

  // Any double at all: a value out of range is refused, never undefined behaviour.
  const double any = data.ConsumeFloatingPoint<double>();
  try {
    const DateTimeParts anyParts = decodeDateTime(any);
    check(std::isfinite(any));
    check(anyParts.hour >= 0 && anyParts.hour < 24 && anyParts.millisecond >= 0);
    (void)formatProfileDateTime(any);
  } catch (const std::invalid_argument&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  writeAndReadBack(data);
  readAnyText(data.ConsumeRemainingBytesAsString());
  return 0;
}
