// Reply accumulation and decoding under arbitrary bytes in arbitrary pieces:
// the first byte picks the command, then each piece is a length byte and that
// many bytes (fewer at the end).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/protocol_log.h"
#include "link/link_protocol.h"
#include "tests/link/fake_channel.h"

namespace {

using namespace zt::link;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

struct PageCheck final : ExchangeObserver {
  bool StorePage(std::string_view page) override {
    Require(page.size() == 64);
    // One request, one page: nothing after the reply is taken.
    Require(++stored == 1);
    return true;
  }
  int stored = 0;
};

bool KnownErrorText(std::string_view text) {
  if (text.empty()) return true;
  for (unsigned bit = 0; bit < 5; ++bit)
    if (text == DeviceErrorText(static_cast<std::uint8_t>(1u << bit))) return true;
  return false;
}

bool Digits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  fake::FakeSerialChannel channel;
  fake::FakePortProbe probe;
  probe.SetPresent(channel.DeviceName(), true);
  zt::NullProtocolLog log;
  zt::FixedClock clock(zt::LocalDateTime{2024, 3, 5, 14, 7, 0});
  LinkProtocol protocol(channel, probe, log, clock);
  PageCheck pages;
  protocol.SetObserver(&pages);
  if (!protocol.OpenPort()) return 0;

  const auto type = static_cast<CommandType>(data[0] % 7 + 1);
  protocol.SendCommand(type);
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  for (std::size_t at = 0; at < rest.size();) {
    const std::size_t length = static_cast<unsigned char>(rest[at++]);
    const std::string_view piece = rest.substr(at, length);
    at += piece.size();
    const bool wasComplete = protocol.ReplyComplete();
    channel.Deliver(piece);
    Require(KnownErrorText(protocol.DeviceErrorText()));
    if (protocol.ReplyComplete() && type != CommandType::Password) {
      // An accepted reply leaves an empty buffer behind it, and bytes after it are no reply.
      Require(protocol.State().replyBuffer.empty());
      Require(!protocol.State().replyOutstanding);
    }
    if (protocol.ReplyComplete() && !wasComplete && type != CommandType::Password) {
      Require(protocol.State().replyPayload.size() + 3 == ReplyLength(type));
    }
    if (protocol.PasswordRejected()) Require(type == CommandType::Password);
  }
  if (type == CommandType::Identify && protocol.ReplyComplete()) {
    Require(protocol.IdentificationText().size() == 32);
    Require(protocol.IdentificationText().compare(0, 7, " Vorqel") == 0);
    Require(protocol.SerialNumberText().size() == 5 && Digits(protocol.SerialNumberText()));
  }
  protocol.SetObserver(nullptr);
  return 0;
}
