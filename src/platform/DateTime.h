#pragma once
// Date-times in the toolkit's representation: a double counting days since
// 30 December 1899, the time of day as the fraction.

#include <string>

namespace platform {

struct DateTimeParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
  int dayOfWeek = 6;  // 0 = Sunday
};

/// Days since 1899-12-30 for a calendar date and time. Fields are not checked.
double EncodeDateTime(int year, int month, int day, int hour = 0, int minute = 0,
                      int second = 0, int millisecond = 0);
DateTimeParts DecodeDateTime(double value);
/// True when the fields form a real date and time of day.
bool IsValidDateTime(int year, int month, int day, int hour, int minute, int second);

/// The system clock in UTC (GetSystemTime) and in local time.
double UtcClock();
double LocalClock();

/// Last modification of a file in local time, or 0 when it cannot be read.
double FileModificationTime(const std::string& path);

/// Formats with the toolkit's letters: yyyy yy, mmmm mmm mm m (minutes after
/// h), dddd ddd dd d, hh h, nn n, ss s, zzz; text in quotes is literal, any
/// other character is copied. Names are English.
std::string FormatDateTime(const std::string& pattern, double value);

}  // namespace platform
