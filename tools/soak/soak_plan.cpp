#include "tools/soak/soak_plan.h"

#include <array>
#include <string_view>

namespace zt::soak {
namespace {

constexpr int kPacedBaud = 38400;
constexpr std::array<int, 2> kFastBauds = {460800, 921600};
constexpr std::size_t kPages = 512;
constexpr std::size_t kReadingReplies = 1 + kPages;  // the password's and the pages'
// Re-sends shift the count of later replies: a corrupted or error reply is
// answered again, a late page once for every re-send. Faults this close to a
// boundary cannot be placed on one side of it for sure.
constexpr std::size_t kReplyShiftMargin = 24;

// SplitMix64: small, fast, and the same on every platform.
class Draw {
 public:
  Draw(std::uint64_t seed, std::size_t number) : state_(seed * 0x9E3779B97F4A7C15ULL + number) { Next(); }
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
  bool OneIn(std::size_t n) { return Below(n) == 0; }
  template <class T, std::size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[Below(N)];
  }

 private:
  std::uint64_t state_;
};

// Characters the recorder can show, Cyrillic and Ukrainian letters included.
constexpr std::array<std::string_view, 40> kTextChars = {
    "A", "B", "Z", "a", "q", "z", "0", "7", "9", " ", ".", ",", "-", "\"", "/", "№", "А", "Б", "Ж", "Й",
    "К", "П", "Ш", "Я", "а", "в", "ж", "ы", "ь", "ю", "я", "Ё", "ё", "І", "і", "Ї", "ї", "Є", "ґ", "Ґ"};

std::string RandomText(Draw& draw) {
  const std::size_t length = 1 + draw.Below(30);
  std::string text;
  for (std::size_t i = 0; i < length; ++i) {
    std::string_view c = draw.Pick(kTextChars);
    // Nothing an argument parser could take for an option.
    while (i == 0 && (c == "-" || c == " ")) c = draw.Pick(kTextChars);
    text += c;
  }
  return text;
}

std::optional<std::string> MaybeText(Draw& draw) {
  if (draw.Below(5) < 2) return std::nullopt;
  return RandomText(draw);
}

struct ReplyZones {
  std::size_t total = 0;        // replies of a clean run
  std::size_t writeFirst = 0;   // the writing password's reply; 0 for a reading
};

ReplyZones ZonesOf(const RunPlan& plan) {
  if (plan.operation == Operation::Read) return {kReadingReplies, 0};
  const std::size_t commands = 3 + (plan.setClock ? 1 : 0);
  const std::size_t before = plan.ReadsFirst() ? kReadingReplies : 0;
  return {before + 1 + commands, before + 1};
}

// A reply number: the password's (or, counting from 0, none at all), one of
// the writing's own, or any.
std::size_t ReplyNumber(Draw& draw, const ReplyZones& zones, std::size_t lowest) {
  const std::size_t where = draw.Below(10);
  if (where == 0) return lowest == 0 ? draw.Below(2) : 1;
  if (where <= 3 && zones.writeFirst > 0) return zones.writeFirst + draw.Below(zones.total - zones.writeFirst + 1);
  return lowest + draw.Below(zones.total + 4 - lowest);
}

// Whether a fault on reply n can end the run: the password's reply, any reply
// of the writing itself (it has no re-sends), and every reply for silence and
// a vanishing port.
bool ReplyFaultHarmless(const ReplyZones& zones, std::size_t n) {
  if (n <= 1) return false;
  if (zones.writeFirst == 0) return true;
  return n + kReplyShiftMargin < zones.writeFirst;
}

constexpr std::array<std::uint32_t, 9> kLateMs = {10, 100, 200, 240, 300, 450, 800, 1200, 2000};
constexpr std::array<std::uint8_t, 6> kErrorCodes = {0x01, 0x02, 0x04, 0x08, 0x10, 0x80};

void AddFault(Draw& draw, RunPlan& plan, const ReplyZones& zones) {
  const std::size_t kind = draw.Below(15);
  if (kind < 3) {
    plan.faults.push_back("drop-page:" + std::to_string(draw.Below(kPages)));
  } else if (kind < 6) {
    plan.faults.push_back("late:" + std::to_string(draw.Below(kPages)) + ":" + std::to_string(draw.Pick(kLateMs)));
  } else if (kind < 9) {
    const std::size_t n = ReplyNumber(draw, zones, 1);
    plan.faults.push_back("corrupt:" + std::to_string(n));
    plan.mustSucceed = plan.mustSucceed && ReplyFaultHarmless(zones, n);
  } else if (kind < 11) {
    const std::size_t n = ReplyNumber(draw, zones, 1);
    plan.faults.push_back("error:" + std::to_string(n) + ":" + std::to_string(draw.Pick(kErrorCodes)));
    plan.mustSucceed = plan.mustSucceed && ReplyFaultHarmless(zones, n);
  } else if (kind == 11) {
    plan.faults.push_back("split:" + std::to_string(1 + draw.Below(70)));
  } else if (kind == 12) {
    plan.faults.push_back("lead-ff");
  } else {
    const std::size_t n = ReplyNumber(draw, zones, 0);
    plan.faults.push_back((kind == 13 ? "silence-after:" : "vanish-after:") + std::to_string(n));
    plan.mustSucceed = plan.mustSucceed && n >= zones.total + kReplyShiftMargin;
  }
}

std::string RandomBytes(Draw& draw, std::size_t length) {
  std::string bytes(length, '\0');
  for (char& c : bytes) c = static_cast<char>(draw.Next() & 0xFF);
  return bytes;
}

}  // namespace

RunPlan MakePlan(const PlanSettings& settings, std::size_t number) {
  Draw draw(settings.seed, number);
  RunPlan plan;
  plan.number = number;
  plan.operation = draw.Below(5) < 3 ? Operation::Read : Operation::Write;
  plan.imageSeed = draw.Next();
  plan.password = static_cast<std::uint16_t>(draw.Below(65536));
  plan.passwordGiven = std::to_string(plan.password);
  if (draw.OneIn(25)) {
    plan.passwordGiven = std::to_string((plan.password + 1 + draw.Below(65535)) % 65536);
    plan.mustSucceed = false;
  }
  // Unpaced, two replies sent back to back reach zt in one read, which hides
  // a reply taken for the next request; a fast pace keeps them apart at
  // little cost, the line's own rate now and then.
  if (settings.pacedEvery > 0 && number % settings.pacedEvery == settings.pacedEvery - 1)
    plan.baud = kPacedBaud;
  else if (draw.OneIn(2))
    plan.baud = draw.Pick(kFastBauds);
  if (!draw.OneIn(5)) plan.previousImageSeed = draw.Next();
  if (!draw.OneIn(4)) plan.previousOutput = RandomBytes(draw, 1 + draw.Below(40000));
  if (plan.operation == Operation::Write) {
    plan.enterprise = MaybeText(draw);
    plan.branch = MaybeText(draw);
    plan.meter = MaybeText(draw);
    plan.setClock = draw.Below(10) < 3;
    if (!plan.enterprise && !plan.branch && !plan.meter && !plan.setClock) plan.enterprise = RandomText(draw);
  }
  const ReplyZones zones = ZonesOf(plan);
  const std::size_t count = draw.OneIn(10) ? 0 : 1 + draw.Below(3);
  for (std::size_t i = 0; i < count; ++i) AddFault(draw, plan, zones);
  return plan;
}

}  // namespace zt::soak
