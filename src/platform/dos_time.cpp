#include "platform/dos_time.h"

namespace zeb {

uint32_t PackDosDateTime(const TDateTime& dt) {
  if (dt.Year < 1980) return (1u << 5 | 1u) << 16;  // 1980-01-01 00:00:00
  const int year = dt.Year > 2107 ? 2107 : dt.Year;
  const uint32_t date = static_cast<uint32_t>(((year - 1980) << 9) | (dt.Month << 5) | dt.Day);
  const uint32_t time = static_cast<uint32_t>((dt.Hour << 11) | (dt.Minute << 5) | (dt.Second / 2));
  return (date << 16) | time;
}

TDateTime UnpackDosDateTime(uint32_t packed) {
  TDateTime dt;
  const uint32_t date = packed >> 16, time = packed & 0xFFFF;
  dt.Year = static_cast<int>((date >> 9) & 0x7F) + 1980;
  dt.Month = static_cast<int>((date >> 5) & 0x0F);
  dt.Day = static_cast<int>(date & 0x1F);
  dt.Hour = static_cast<int>((time >> 11) & 0x1F);
  dt.Minute = static_cast<int>((time >> 5) & 0x3F);
  dt.Second = static_cast<int>((time & 0x1F) * 2);
  return dt;
}

namespace {

void CopyCalendarFields(const std::tm& t, TDateTime& dt) {
  dt.Year = t.tm_year + 1900;
  dt.Month = t.tm_mon + 1;
  dt.Day = t.tm_mday;
  dt.Hour = t.tm_hour;
  dt.Minute = t.tm_min;
  dt.Second = t.tm_sec;
  dt.DayOfWeek = t.tm_wday;
}

}  // namespace

bool LocalDateTimeOf(std::time_t time, TDateTime& dt) {
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return false;
  CopyCalendarFields(local, dt);
  return true;
}

bool WallClockDateTimeOf(std::time_t wallClock, TDateTime& dt) {
  std::tm t{};
  if (gmtime_r(&wallClock, &t) == nullptr) return false;
  CopyCalendarFields(t, dt);
  return true;
}

uint32_t FileTimeToDos(std::time_t time) {
  TDateTime dt;
  if (!LocalDateTimeOf(time, dt)) dt = TDateTime{};
  return PackDosDateTime(dt);
}

}  // namespace zeb
