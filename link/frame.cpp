#include "link/frame.h"

#include <array>

#include "core/conversions.h"
#include "core/cp1251.h"
#include "link/payloads.h"

namespace zt::link {
namespace {

std::uint16_t Sum16(std::string_view bytes) {
  std::uint16_t sum = 0;
  for (char c : bytes) sum = static_cast<std::uint16_t>(sum + static_cast<unsigned char>(c));
  return sum;
}

constexpr std::array<std::string_view, 5> kErrorTexts = {
    "ошибочная команда"_cp, "ошибка контрольной суммы"_cp, "неверный параметр"_cp, "ошибка записи во флеш"_cp,
    "ошибка чтения"_cp,
};

std::string Bytes(std::initializer_list<unsigned> values) {
  std::string out;
  for (unsigned v : values) out.push_back(static_cast<char>(v));
  return out;
}

std::string TextCommand(unsigned code, std::string_view text) {
  return Bytes({0x80, code}) + TextPayload(text) + Bytes({0x00, 0x00});
}

}  // namespace

std::string FrameChecksum(std::string_view bytes) {
  const auto check = static_cast<std::uint16_t>(0x10000u - Sum16(bytes));
  return std::string(bytes) + WordToBytesLE(check);
}

bool ChecksumMatches(std::string_view frame) {
  if (frame.size() < kChecksumSize) return false;
  const std::string_view body = frame.substr(0, frame.size() - kChecksumSize);
  return FrameChecksum(body).substr(body.size()) == frame.substr(body.size());
}

std::string_view DeviceErrorText(std::uint8_t errorByte) {
  for (std::size_t bit = kErrorTexts.size(); bit-- > 0;)
    if (errorByte & (1u << bit)) return kErrorTexts[bit];
  return {};
}

std::size_t ReplyLength(CommandType type) {
  switch (type) {
    case CommandType::Identify:
    case CommandType::ReadPage:
      return 64 + kReplyOverhead;
    case CommandType::SetClock:
    case CommandType::WriteEnterprise:
    case CommandType::WriteBranch:
    case CommandType::WriteMeter:
      return kReplyOverhead;
    case CommandType::Password:
    case CommandType::None:
      break;
  }
  return 0;
}

std::string CommandPayload(CommandType type, const CommandInputs& inputs, const LocalDateTime& now) {
  switch (type) {
    case CommandType::Identify:
      return Bytes({0x00, 0x00});
    case CommandType::ReadPage: {
      const std::string page = WordToBytesLE(inputs.page);
      return {static_cast<char>(page[1] | 0x20), page[0]};
    }
    case CommandType::Password:
      return Bytes({0x80, 0x18, 0x80, 0x18, 0x5A, 0xA5}) + WordToBytesLE(inputs.passwordNumber);
    case CommandType::SetClock:
      return Bytes({0x80, 0x21, 0x80, 0x21}) + ClockPayload(now);
    case CommandType::WriteEnterprise:
      return TextCommand(0x84, inputs.enterprise);
    case CommandType::WriteBranch:
      return TextCommand(0x85, inputs.branch);
    case CommandType::WriteMeter:
      return TextCommand(0x86, inputs.meter);
    case CommandType::None:
      break;
  }
  return {};
}

}  // namespace zt::link
