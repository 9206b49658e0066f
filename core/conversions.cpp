#include "core/conversions.h"

#include <charconv>
#include <chrono>
#include <limits>

namespace zt {
namespace {

constexpr std::uint32_t kMinutesPerDay = 1440;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int GroupValue(const std::string& digits) {
  int v = 0;
  for (char c : digits) v = v * 10 + (c - '0');
  return v;
}

bool IsValidCivilDate(int year, int month, int day) {
  using namespace std::chrono;
  return year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                        std::chrono::day{static_cast<unsigned>(day)}}
      .ok();
}

}  // namespace

std::string WithoutSpaces(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (c != ' ') out.push_back(c);
  return out;
}

DateFormats InitDateFormats(const Clock& clock) {
  DateFormats f;
  const LocalDateTime now = clock.Now();
  const std::string date = PadNumber(now.day, 2) + "." + PadNumber(now.month, 2) + "." + PadNumber(now.year, 4);
  const std::string time = PadNumber(now.hour, 2) + ":" + PadNumber(now.minute, 2) + ":" + PadNumber(now.second, 2);
  for (char c : date)
    if (!IsDigit(c)) { f.dateSeparator = c; break; }
  for (char c : time)
    if (!IsDigit(c)) { f.timeSeparator = c; break; }
  return f;
}

std::string PadNumber(long long value, int width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (static_cast<int>(digits.size()) < width) digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

int DaysFromEpoch(int year, int month, int day) {
  using namespace std::chrono;
  const sys_days d{std::chrono::year{year} / static_cast<unsigned>(month) / static_cast<unsigned>(day)};
  const sys_days epoch{std::chrono::year{2000} / 1 / 1};
  return static_cast<int>((d - epoch).count());
}

void CivilFromEpochDays(int days, int& year, int& month, int& day) {
  using namespace std::chrono;
  const year_month_day ymd{sys_days{std::chrono::year{2000} / 1 / 1} + std::chrono::days{days}};
  year = static_cast<int>(ymd.year());
  month = static_cast<int>(static_cast<unsigned>(ymd.month()));
  day = static_cast<int>(static_cast<unsigned>(ymd.day()));
}

std::string TimeStampText(std::uint32_t m, const DateFormats& f) {
  if (m == 0) return {};
  const std::uint32_t days = m / kMinutesPerDay;
  int y = 0, mo = 0, d = 0;
  CivilFromEpochDays(static_cast<int>(days), y, mo, d);
  const std::string sep(1, f.dateSeparator);
  const NormalisedDate date = NormaliseDateText(PadNumber(d, 2) + sep + PadNumber(mo, 2) + sep + PadNumber(y, 4), f);
  if (!date.valid) return {};
  const std::uint32_t r = m - days * kMinutesPerDay;
  const std::uint32_t hours = r / 60;
  const std::uint32_t minutes = r - hours * 60;
  if (hours > 23 || minutes > 60) return {};
  return date.text + " " + PadNumber(hours, 2) + f.timeSeparator + PadNumber(minutes, 2);
}

std::string TimeStampText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, const DateFormats& f) {
  return TimeStampText(static_cast<std::uint32_t>(b0) | (static_cast<std::uint32_t>(b1) << 8) |
                           (static_cast<std::uint32_t>(b2) << 16),
                       f);
}

NormalisedDate NormaliseDateText(std::string_view text, const DateFormats& f) {
  if (text.empty()) return {};
  constexpr std::size_t kLimits[3] = {2, 2, 4};
  std::string groups[3];
  std::size_t g = 0;
  for (char c : text) {
    if (!IsDigit(c)) {
      if (++g >= 3) break;  // digits after the third separator are ignored
      continue;
    }
    if (groups[g].size() < kLimits[g]) groups[g].push_back(c);
  }
  const std::string& dayText = groups[0];
  const std::string& monthText = groups[1];
  std::string yearText = groups[2];
  if (dayText.empty() || monthText.empty() || yearText.empty()) return {};
  const int day = GroupValue(dayText);
  const int month = GroupValue(monthText);
  if (day == 0 || day >= 32 || month == 0 || month > 12) return {};
  if (GroupValue(yearText) <= 100) yearText = ("20" + yearText).substr(0, 4);
  const int year = GroupValue(yearText);
  if (!IsValidCivilDate(year, month, day)) return {};
  const int days = DaysFromEpoch(year, month, day);
  if (days < 0 || days > DaysFromEpoch(2031, 11, 24)) return {};
  const std::string sep(1, f.dateSeparator);
  return {PadNumber(day, 2) + sep + PadNumber(month, 2) + sep + yearText, true};
}

std::uint16_t BytesToWordLE(std::string_view b) {
  if (b.size() < 2) return 0;
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[0]) | (static_cast<unsigned char>(b[1]) << 8));
}

std::string WordToBytesLE(std::uint16_t value) {
  return {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string HexDump(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0x0F]);
    out.push_back(' ');
  }
  return out;
}

std::string StripControlChars(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes)
    if (c != 0x00 && c != 0x01 && c != 0x02 && c != 0x0A && c != 0x0D) out.push_back(c);
  return out;
}

bool IsIntegerText(std::string_view text) {
  const std::string s = WithoutSpaces(text);
  if (s.empty()) return false;
  for (char c : s)
    if (!IsDigit(c) && c != '-') return false;
  return true;
}

long long TextToInt(std::string_view text) {
  if (!IsIntegerText(text)) return 0;
  const std::string s = WithoutSpaces(text);
  int value = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc{} || end != s.data() + s.size()) return 0;
  return value;
}

bool IsUnsignedText(std::string_view text) {
  const std::string s = WithoutSpaces(text);
  if (s.empty()) return false;
  for (char c : s)
    if (!IsDigit(c)) return false;
  return true;
}

std::string DigitsWithTimeSeparators(std::string_view text, const DateFormats& f) {
  std::string out(text);
  for (char& c : out)
    if (!IsDigit(c)) c = f.timeSeparator;
  return out;
}

std::string NowText(const Clock& clock) {
  const LocalDateTime t = clock.Now();
  return PadNumber(t.day, 2) + "." + PadNumber(t.month, 2) + "." + PadNumber(t.year, 4) + " " + PadNumber(t.hour, 2) +
         ":" + PadNumber(t.minute, 2) + ":" + PadNumber(t.second, 2);
}

std::string DateNowText(const Clock& clock, const DateFormats& f) {
  const LocalDateTime t = clock.Now();
  const int year = t.year < 100 ? 2000 + t.year : t.year;
  return PadNumber(t.day, 2) + f.dateSeparator + PadNumber(t.month, 2) + f.dateSeparator + PadNumber(year, 4);
}

std::string TimeNowText(const Clock& clock, const DateFormats& f) {
  const LocalDateTime t = clock.Now();
  return PadNumber(t.hour, 2) + f.timeSeparator + PadNumber(t.minute, 2) + f.timeSeparator + PadNumber(t.second, 2);
}

std::string DateStampYYMMDD(const Clock& clock) {
  const LocalDateTime t = clock.Now();
  const int year = t.year >= 100 ? t.year - 2000 : t.year;
  return PadNumber(year, 2) + PadNumber(t.month, 2) + PadNumber(t.day, 2);
}

std::string DefaultSaveName(std::string_view serialLabel, const Clock& clock) {
  const std::string serial = serialLabel.size() >= 5 ? std::string(serialLabel.substr(0, 5)) : "00000";
  return serial + "_" + DateStampYYMMDD(clock);
}

}  // namespace zt
