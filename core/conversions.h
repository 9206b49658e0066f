// Small conversions shared by the whole program: device time stamps, PC-clock
// texts, byte pairs, hex dumps, number tests and the default save name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/clock.h"

namespace zt {

// Separators and epoch derived at start-up from the process-wide formats.
struct DateFormats {
  char dateSeparator = '.';
  char timeSeparator = ':';
  // Epoch: 01.01.2000 00:00.
  int epochYear = 2000;
};

// Derives the separators from today's date and time formatted with the
// short date ("dd.MM.yyyy") and long time ("HH:mm:ss") formats.
DateFormats InitDateFormats(const Clock& clock);

// "dd.mm.yyyy hh:mm" of a 24-bit minute count since 01.01.2000; "" for 0.
std::string TimeStampText(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2, const DateFormats& f = {});
std::string TimeStampText(std::uint32_t minutes, const DateFormats& f = {});

struct NormalisedDate {
  std::string text;  // "dd.mm.yyyy" or "" when invalid
  bool valid = false;
};
NormalisedDate NormaliseDateText(std::string_view text, const DateFormats& f = {});

// Day count from 01.01.2000 of a valid civil date, and back.
int DaysFromEpoch(int year, int month, int day);
void CivilFromEpochDays(int days, int& year, int& month, int& day);

std::uint16_t BytesToWordLE(std::string_view twoBytes);
std::string WordToBytesLE(std::uint16_t value);
std::string HexDump(std::string_view bytes);
std::string StripControlChars(std::string_view bytes);
// The text with every space removed, as numbers and printer names are compared.
std::string WithoutSpaces(std::string_view text);
bool IsIntegerText(std::string_view text);
// The blank-free text as a signed integer when IsIntegerText holds, else 0;
// texts that pass the test without being integers ("-", "1-2") and values
// outside the 32-bit range also give 0.
long long TextToInt(std::string_view text);
bool IsUnsignedText(std::string_view text);
std::string DigitsWithTimeSeparators(std::string_view text, const DateFormats& f = {});

std::string NowText(const Clock& clock);
std::string DateNowText(const Clock& clock, const DateFormats& f = {});
std::string TimeNowText(const Clock& clock, const DateFormats& f = {});
std::string DateStampYYMMDD(const Clock& clock);
// serialLabel: the text shown as the serial number (the ditto mark before a load).
std::string DefaultSaveName(std::string_view serialLabel, const Clock& clock);

// Zero-padded decimal of at least `width` digits.
std::string PadNumber(long long value, int width);

}  // namespace zt
