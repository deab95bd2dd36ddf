#include "platform/DateTime.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace platform {
namespace {

// Days from 1970-01-01 to a civil date (H. Hinnant's algorithm).
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long yy = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

const long kEpochOffset = 25569;  // days from 1899-12-30 to 1970-01-01

const char* const kShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kLongMonths[] = {"January", "February", "March",     "April",
                                   "May",     "June",     "July",      "August",
                                   "September", "October", "November", "December"};

std::string Number(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

}  // namespace

double EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond) {
  long days = DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
              kEpochOffset;
  double time = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / 86400000.0;
  // Before 1899-12-30 the toolkit keeps the time of day as a positive fraction
  // added away from zero.
  return days >= 0 ? days + time : days - time;
}

DateTimeParts DecodeDateTime(double value) {
  DateTimeParts p;
  double whole = std::trunc(value);
  double frac = std::fabs(value - whole);
  long days = static_cast<long>(whole);
  long ms = std::lround(frac * 86400000.0);
  if (ms >= 86400000) {
    ms -= 86400000;
    days += value >= 0 ? 1 : -1;
  }
  CivilFromDays(days - kEpochOffset, p.year, p.month, p.day);
  p.hour = static_cast<int>(ms / 3600000);
  p.minute = static_cast<int>(ms / 60000 % 60);
  p.second = static_cast<int>(ms / 1000 % 60);
  p.millisecond = static_cast<int>(ms % 1000);
  long unixDays = days - kEpochOffset;  // 1970-01-01 was a Thursday
  p.dayOfWeek = static_cast<int>(((unixDays % 7) + 7 + 4) % 7);
  return p;
}

bool IsValidDateTime(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
  return day <= last && hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 &&
         second < 60;
}

std::string FormatDateTime(const std::string& pattern, double value) {
  DateTimeParts p = DecodeDateTime(value);
  std::string out;
  bool lastWasHour = false;
  size_t i = 0;
  auto run = [&](char c) {
    size_t n = 0;
    while (i + n < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + n])) == c) ++n;
    return n;
  };
  while (i < pattern.size()) {
    char c = pattern[i];
    char lc = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (c == '\'' || c == '"') {
      size_t end = pattern.find(c, i + 1);
      if (end == std::string::npos) end = pattern.size();
      out.append(pattern, i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    size_t n = (lc == 'y' || lc == 'm' || lc == 'd' || lc == 'h' || lc == 'n' || lc == 's' ||
                lc == 'z')
                   ? run(lc)
                   : 0;
    bool hour = false;
    switch (lc) {
      case 'y':
        out += n <= 2 ? Number(p.year % 100, 2) : Number(p.year, 4);
        break;
      case 'm':
        if (lastWasHour && n <= 2) {
          out += Number(p.minute, n == 1 ? 1 : 2);
        } else if (n >= 4) {
          out += kLongMonths[p.month - 1];
        } else if (n == 3) {
          out += kShortMonths[p.month - 1];
        } else {
          out += Number(p.month, n == 1 ? 1 : 2);
        }
        break;
      case 'd':
        if (n >= 4) out += kLongDays[p.dayOfWeek];
        else if (n == 3) out += kShortDays[p.dayOfWeek];
        else out += Number(p.day, n == 1 ? 1 : 2);
        break;
      case 'h':
        out += Number(p.hour, n == 1 ? 1 : 2);
        hour = true;
        break;
      case 'n':
        out += Number(p.minute, n == 1 ? 1 : 2);
        break;
      case 's':
        out += Number(p.second, n == 1 ? 1 : 2);
        break;
      case 'z':
        out += Number(p.millisecond, n >= 3 ? 3 : 1);
        break;
      default:
        out += c;
        n = 1;
        // Separators between hour and minutes keep "hh:mm" meaning minutes.
        if (c == ':' || c == ' ') hour = lastWasHour;
        break;
    }
    lastWasHour = hour;
    i += n;
  }
  return out;
}

}  // namespace platform
