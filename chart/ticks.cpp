// Tick choice for linear, logarithmic and time axes. Labels are built from
// integers (a mantissa and a power of ten, or calendar fields), so they
// never show binary rounding ("0.30000000000000004") and never read the C
// library's locale.
#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>

#include "chart/chart.h"
#include "chart/text.h"
#include "core/chars.h"

namespace pyrelon::chart {

namespace {

// 10^exponent as the nearest double, read from its decimal text.
double powerOfTen(std::int64_t mantissa, int exponent) {
  std::string text = std::to_string(mantissa);
  text += 'e';
  text += std::to_string(exponent);
  double value = 0;
  const auto result = chars::readDouble(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc()) return exponent < 0 ? 0.0 : HUGE_VAL;
  return value;
}

// A step of 1, 2 or 5 times a power of ten: the smallest such at least `raw`.
struct NiceStep {
  int mantissa = 1;  // 1, 2 or 5
  int exponent = 0;
  double value = 1;
};

NiceStep niceStepAtLeast(double raw) {
  int exponent = static_cast<int>(std::floor(portableLog10(raw)));
  exponent = std::clamp(exponent, -320, 307);
  for (int round = 0; round < 4; ++round, ++exponent) {
    for (int mantissa : {1, 2, 5}) {
      const double value = powerOfTen(mantissa, exponent);
      // A raw step a rounding above a round one (0.1 computed as
      // 0.10000000000000002) takes the round one.
      if (value >= raw * (1 - 1e-12) && value > 0) return {mantissa, exponent, value};
    }
  }
  return {1, exponent, powerOfTen(1, exponent)};
}

// The largest k with 10^k <= value, and the smallest with 10^k >= value,
// for a positive finite value: decided by comparing with the powers of ten
// themselves, so that a last-bit error of the logarithm cannot move a decade.
int decadeAtOrBelow(double value) {
  int k = std::clamp(static_cast<int>(std::floor(portableLog10(value))), -330, 310);
  while (k > -330 && powerOfTen(1, k) > value) --k;
  while (k < 310 && powerOfTen(1, k + 1) <= value) ++k;
  return k;
}

int decadeAtOrAbove(double value) {
  int k = std::clamp(static_cast<int>(std::ceil(portableLog10(value))), -330, 310);
  while (k < 310 && powerOfTen(1, k) < value) ++k;
  while (k > -330 && powerOfTen(1, k - 1) >= value) --k;
  return k;
}

NiceStep nextStep(const NiceStep& step) {
  if (step.mantissa == 1) return {2, step.exponent, powerOfTen(2, step.exponent)};
  if (step.mantissa == 2) return {5, step.exponent, powerOfTen(5, step.exponent)};
  return {1, step.exponent + 1, powerOfTen(1, step.exponent + 1)};
}

// Whether multiples of `step` over [low, high] are exactly representable
// and few enough to count with 64-bit integers.
bool countable(double low, double high, double step) {
  if (!(step > 0) || !std::isfinite(step)) return false;
  const double limit = 1e15;
  return std::abs(low / step) < limit && std::abs(high / step) < limit;
}

struct Fallback {
  Range range;
  std::vector<Tick> ticks;
};

// Where no round step can be counted (a range narrow against its
// magnitude, or one near the end of the double range): the ends themselves.
Fallback endsOnly(double low, double high) {
  Fallback fallback;
  fallback.range = {low, high};
  for (double value : {low, high}) {
    Tick tick;
    tick.value = value;
    tick.label = shortScientific(value);
    fallback.ticks.push_back(std::move(tick));
    if (low == high) break;
  }
  return fallback;
}

// A range with room around a single value.
Range spread(double low, double high) {
  if (low < high) return {low, high};
  const double half = low == 0 ? 1.0 : std::abs(low) * 0.05;
  const Range widened{low - half, high + half};
  if (!std::isfinite(widened.low) || !std::isfinite(widened.high)) return {low, high};
  return widened;
}

struct LinearPlan {
  Range range;
  NiceStep step;
  std::int64_t first = 0, last = 0;  // ticks at first..last times the step
  bool counted = false;
  std::vector<Tick> fallbackTicks;
};

LinearPlan planLinear(double low, double high, int maxCount) {
  LinearPlan plan;
  maxCount = std::max(maxCount, 2);
  if (!std::isfinite(low) || !std::isfinite(high)) {
    low = 0;
    high = 1;
  }
  if (low > high) std::swap(low, high);
  const Range room = spread(low, high);
  const double halfSpan = room.high * 0.5 - room.low * 0.5;
  const double raw = halfSpan / (maxCount - 1) * 2;
  if (!(raw > 0) || !std::isfinite(raw)) {
    auto ends = endsOnly(room.low, room.high);
    plan.range = ends.range;
    plan.fallbackTicks = std::move(ends.ticks);
    return plan;
  }
  NiceStep step = niceStepAtLeast(raw);
  for (int attempt = 0; attempt < 8; ++attempt) {
    if (!countable(room.low, room.high, step.value)) break;
    // A quotient a hair off a whole number (0.3 / 0.1 = 2.9999999999999996)
    // counts as that number.
    auto snap = [](double quotient) {
      const double whole = std::round(quotient);
      return std::abs(quotient - whole) < 1e-9 * std::max(1.0, std::abs(whole)) ? whole : quotient;
    };
    const double first = std::floor(snap(room.low / step.value));
    const double last = std::ceil(snap(room.high / step.value));
    if (last - first + 1 <= maxCount) {
      plan.step = step;
      plan.first = static_cast<std::int64_t>(first);
      plan.last = static_cast<std::int64_t>(last);
      plan.range = {powerOfTen(plan.first * step.mantissa, step.exponent),
                    powerOfTen(plan.last * step.mantissa, step.exponent)};
      if (!std::isfinite(plan.range.low) || !std::isfinite(plan.range.high)) break;
      plan.counted = true;
      return plan;
    }
    step = nextStep(step);
  }
  auto ends = endsOnly(room.low, room.high);
  plan.range = ends.range;
  plan.fallbackTicks = std::move(ends.ticks);
  return plan;
}

// ---------------------------------------------------------------------------
// Calendar arithmetic (proleptic Gregorian, UTC), after H. Hinnant,
// "chrono-Compatible Low-Level Date Algorithms".

struct CivilDate {
  std::int64_t year;
  int month;  // 1..12
  int day;    // 1..31
};

CivilDate civilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

constexpr std::int64_t kSecondsPerDay = 86400;
// Times beyond about ±3000 years are drawn on a plain number axis.
constexpr double kLargestTime = 1e11;

constexpr std::array<std::string_view, 12> kMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

void appendPadded(std::string& out, std::int64_t value, int width) {
  if (value < 0) {
    out += '-';
    value = -value;
  }
  const std::string digits = std::to_string(value);
  for (int i = static_cast<int>(digits.size()); i < width; ++i) out += '0';
  out += digits;
}

std::string dateText(const CivilDate& date) {
  std::string text;
  appendPadded(text, date.year, 4);
  text += '-';
  appendPadded(text, date.month, 2);
  text += '-';
  appendPadded(text, date.day, 2);
  return text;
}

std::string clockText(std::int64_t secondOfDay, bool withSeconds) {
  std::string text;
  appendPadded(text, secondOfDay / 3600, 2);
  text += ':';
  appendPadded(text, secondOfDay / 60 % 60, 2);
  if (withSeconds) {
    text += ':';
    appendPadded(text, secondOfDay % 60, 2);
  }
  return text;
}

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

Range niceRange(double low, double high, int maxCount) {
  return planLinear(low, high, maxCount).range;
}

std::vector<Tick> linearTicks(double low, double high, int maxCount) {
  LinearPlan plan = planLinear(low, high, maxCount);
  if (!plan.counted) return std::move(plan.fallbackTicks);
  std::vector<Tick> ticks;
  for (std::int64_t k = plan.first; k <= plan.last; ++k) {
    const std::int64_t mantissa = k * plan.step.mantissa;
    Tick tick;
    tick.value = powerOfTen(mantissa, plan.step.exponent);
    tick.label = decimalText(mantissa, plan.step.exponent);
    ticks.push_back(std::move(tick));
  }
  return ticks;
}

Range logRange(double low, double high) {
  if (!(low > 0) || !std::isfinite(low)) low = 1;
  if (!(high > 0) || !std::isfinite(high)) high = low;
  std::tie(low, high) = std::minmax({low, high});
  const int first = std::clamp(decadeAtOrBelow(low), -307, 308);
  int last = std::clamp(decadeAtOrAbove(high), -307, 308);
  if (last <= first) last = first + 1;
  // The decades hold the values, but for the ends of the double range.
  const double top = powerOfTen(1, last);
  return {std::min(powerOfTen(1, first), low), std::isfinite(top) ? std::max(top, high) : high};
}

std::vector<Tick> logTicks(double low, double high, int maxCount) {
  maxCount = std::max(maxCount, 2);
  const Range range = logRange(low, high);
  const int first = decadeAtOrAbove(range.low);
  const int last = decadeAtOrBelow(range.high);
  const int decades = last - first;
  const bool between = decades <= 3 && 3 * decades + 1 <= maxCount;
  int every = 1;
  for (int factor : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
    every = factor;
    if (decades / every + 1 <= maxCount) break;
  }
  std::vector<Tick> ticks;
  for (int exponent = first; exponent <= last; ++exponent) {
    for (int mantissa : {1, 2, 5}) {
      if (mantissa != 1 && !between) continue;
      if (mantissa == 1 && (exponent - first) % every != 0) continue;
      const double value = powerOfTen(mantissa, exponent);
      if (value < range.low || value > range.high) continue;
      Tick tick;
      tick.value = value;
      tick.label = decimalText(mantissa, exponent);
      ticks.push_back(std::move(tick));
    }
  }
  return ticks;
}

std::string formatUtc(double seconds) {
  if (!std::isfinite(seconds) || std::abs(seconds) > kLargestTime) return shortScientific(seconds);
  const auto whole = static_cast<std::int64_t>(std::floor(seconds));
  const std::int64_t days = floorDiv(whole, kSecondsPerDay);
  std::string text = dateText(civilFromDays(days));
  text += ' ';
  text += clockText(whole - days * kSecondsPerDay, true);
  return text;
}

std::vector<Tick> timeTicks(double low, double high, int maxCount) {
  maxCount = std::max(maxCount, 2);
  std::tie(low, high) = std::minmax({low, high});
  if (!std::isfinite(low) || !std::isfinite(high) || low < -kLargestTime || high > kLargestTime) {
    return linearTicks(low, high, maxCount);
  }
  std::vector<Tick> ticks;

  // Steps within a month: multiples of the step from midnight (weeks from a Monday).
  constexpr std::array<std::int64_t, 20> kSteps = {1,     2,     5,     10,    15,     30,    60,
                                                   120,   300,   600,   900,   1800,   3600,  7200,
                                                   10800, 21600, 43200, 86400, 172800, 604800};
  for (std::int64_t step : kSteps) {
    const std::int64_t origin = step == 604800 ? 4 * kSecondsPerDay : 0;  // 1970-01-05, a Monday
    const auto first = static_cast<std::int64_t>(std::ceil((low - origin) / step));
    const auto last = static_cast<std::int64_t>(std::floor((high - origin) / step));
    if (last - first + 1 > maxCount) continue;
    std::string previousDate;
    std::int64_t previousYear = INT64_MIN;
    for (std::int64_t k = first; k <= last; ++k) {
      const std::int64_t at = origin + k * step;
      const std::int64_t days = floorDiv(at, kSecondsPerDay);
      const CivilDate date = civilFromDays(days);
      Tick tick;
      tick.value = static_cast<double>(at);
      if (step < kSecondsPerDay) {
        tick.label = clockText(at - days * kSecondsPerDay, step < 60);
        std::string today = dateText(date);
        if (today != previousDate) tick.date = today;
        previousDate = std::move(today);
      } else {
        tick.label = std::string(kMonthNames[date.month - 1]) + ' ' + std::to_string(date.day);
        if (date.year != previousYear) appendPadded(tick.date, date.year, 4);
        previousYear = date.year;
      }
      ticks.push_back(std::move(tick));
    }
    return ticks;
  }

  // Months, then years: counted on month numbers from year 0.
  const auto lowWhole = static_cast<std::int64_t>(std::ceil(low));
  const auto highWhole = static_cast<std::int64_t>(std::floor(high));
  const CivilDate lowDate = civilFromDays(floorDiv(lowWhole, kSecondsPerDay));
  const CivilDate highDate = civilFromDays(floorDiv(highWhole, kSecondsPerDay));
  const std::int64_t lowMonth = lowDate.year * 12 + lowDate.month - 1;
  const std::int64_t highMonth = highDate.year * 12 + highDate.month - 1;
  auto monthStart = [](std::int64_t month) {
    return daysFromCivil(floorDiv(month, 12),
                         static_cast<int>(month - floorDiv(month, 12) * 12) + 1, 1) *
           kSecondsPerDay;
  };
  std::vector<std::int64_t> monthSteps = {1, 2, 3, 6};
  for (std::int64_t years = 1; years <= 10000; years *= 10) {
    for (std::int64_t m : {1, 2, 5}) monthSteps.push_back(12 * years * m);
  }
  for (std::int64_t step : monthSteps) {
    std::int64_t first = floorDiv(lowMonth + step - 1, step) * step;
    if (monthStart(first) < lowWhole) first += step;
    const std::int64_t last = floorDiv(highMonth, step) * step;
    if (last >= first && (last - first) / step + 1 > maxCount) continue;
    std::int64_t previousYear = INT64_MIN;
    for (std::int64_t month = first; month <= last; month += step) {
      const std::int64_t year = floorDiv(month, 12);
      Tick tick;
      tick.value = static_cast<double>(monthStart(month));
      if (step < 12) {
        tick.label = std::string(kMonthNames[static_cast<std::size_t>(month - year * 12)]);
        if (year != previousYear) appendPadded(tick.date, year, 4);
      } else {
        appendPadded(tick.label, year, 4);
      }
      previousYear = year;
      ticks.push_back(std::move(tick));
    }
    return ticks;
  }
  return linearTicks(low, high, maxCount);
}

}  // namespace pyrelon::chart
