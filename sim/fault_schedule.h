// The misbehaviour a simulated recorder is told to show, one --fault option
// each: "drop-page:N" (the first request of page N gets no reply),
// "corrupt:N" (the Nth reply's checksum is wrong), "split:K" (replies in
// pieces of K bytes with small gaps), "lead-ff" (a 0xFF before each reply),
// "error:N:CODE" (the Nth reply is an error reply with error byte CODE),
// "silence-after:N" (no replies after the Nth), "vanish-after:N" (the port
// disappears after the Nth reply). Replies are counted from 1.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string_view>

namespace zt::sim {

struct FaultSchedule {
  std::multiset<std::uint16_t> dropPages;
  // Page -> how many ms its first request waits for the reply; one entry a request.
  std::multimap<std::uint16_t, std::uint32_t> latePages;
  std::set<std::size_t> corruptReplies;
  std::size_t splitSize = 0;  // 0: whole replies
  bool leadingFF = false;
  std::map<std::size_t, std::uint8_t> errorReplies;
  std::optional<std::size_t> silenceAfter;
  std::optional<std::size_t> vanishAfter;
};

// Adds one fault to the schedule; false (schedule unchanged) when the text is not one.
bool ParseFault(std::string_view text, FaultSchedule& schedule);

}  // namespace zt::sim
