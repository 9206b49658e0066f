// A scripted recorder behind a fake port: answers Identify, Read page,
// Password, Set clock and the text writes from a memory image, and can be
// told to stay silent, miss replies, answer with errors or split its replies.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tests/link/fake_channel.h"

namespace zt::link::fake {

// A reply as the recorder frames it: first byte 00, payload, checksum.
std::string RecorderReply(std::string_view payload);

// The 64-byte Identify payload: the 32-character identification, the serial at bytes 36-37.
std::string IdentifyPayload(std::string_view identification, std::uint16_t serial);

struct FakeRecorder {
  std::string image;  // 32768 bytes for Read page
  std::string identification = " Vorqel MFR-12 v2.04             ";
  std::uint16_t serial = 4096;
  bool silent = false;
  bool rejectPassword = false;
  // Read page requests left unanswered once (then answered).
  std::multiset<std::uint16_t> missOnce;
  // Pages from this one on are never answered.
  std::optional<std::uint16_t> silentFromPage;
  // The whole reply to a command kind (first frame byte after masking, see Kind()).
  std::map<int, std::string> replyOverride;
  // Each reply split into deliveries of at most this many bytes (0: one delivery).
  std::size_t pieceSize = 0;

  std::vector<std::uint16_t> pagesRequested;
  std::size_t framesSeen = 0;

  // The command type (1..7) a frame carries, 0 when unknown.
  static int Kind(std::string_view frame);
  std::vector<std::string> Answer(std::string_view frame);
  Responder AsResponder() {
    return [this](std::string_view frame) { return Answer(frame); };
  }
};

}  // namespace zt::link::fake
