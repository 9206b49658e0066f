#include "tools/zt/write_outcome.h"

namespace zt::cli {
namespace {

using link::CommandType;

constexpr auto kFirstCommand = static_cast<std::uint16_t>(CommandType::SetClock);
constexpr auto kAllDone = static_cast<std::uint16_t>(static_cast<std::uint16_t>(CommandType::WriteMeter) + 1);

const char* OptionOf(CommandType type) {
  switch (type) {
    case CommandType::SetClock:
      return "--set-clock";
    case CommandType::WriteEnterprise:
      return "--enterprise";
    case CommandType::WriteBranch:
      return "--branch";
    case CommandType::WriteMeter:
      return "--meter";
    default:
      return "?";
  }
}

std::string Listed(const std::vector<CommandType>& types) {
  std::string text;
  for (std::size_t i = 0; i < types.size(); ++i) {
    if (i > 0) text += i + 1 == types.size() ? " and " : ", ";
    text += OptionOf(types[i]);
  }
  return text;
}

}  // namespace

WriteOutcome WriteOutcomeOf(link::WriteCode code, std::uint16_t nextCommand, bool lastAcknowledged,
                            bool clockCorrection) {
  WriteOutcome outcome;
  outcome.code = code;
  for (std::uint16_t n = kFirstCommand; n < kAllDone; ++n) {
    const auto type = static_cast<CommandType>(n);
    // A clock not asked for is skipped, counted as done, and never sent.
    if (type == CommandType::SetClock && !clockCorrection) continue;
    const bool lastIssued = n + 1 == nextCommand;
    if (n >= nextCommand)
      outcome.notSent.push_back(type);
    else if (lastIssued && !lastAcknowledged)
      outcome.unanswered = type;
    else
      outcome.taken.push_back(type);
  }
  return outcome;
}

std::string PartWayText(const WriteOutcome& outcome) {
  std::string text = outcome.taken.empty() ? "the recorder took nothing" : "the recorder took " + Listed(outcome.taken);
  if (outcome.unanswered) {
    const std::string option = OptionOf(*outcome.unanswered);
    if (outcome.code == link::WriteCode::DeviceError)
      text += "; it refused " + option;
    else
      text += "; " + option + " was sent but not acknowledged, so the recorder may or may not have it";
  }
  if (!outcome.notSent.empty())
    text += "; " + Listed(outcome.notSent) + (outcome.notSent.size() == 1 ? " was" : " were") + " not sent";
  return text;
}

}  // namespace zt::cli
