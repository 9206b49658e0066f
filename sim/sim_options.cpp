#include "sim/sim_options.h"

#include <charconv>

namespace zt::sim {
namespace {

template <typename T>
std::optional<T> Integer(const std::string& text) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

SimOptionsResult Failure(std::string error) { return {false, {}, std::move(error)}; }

}  // namespace

std::string SimUsage() {
  return "usage: zt-sim (--image FILE [--save] | --seed N) [--password N] [--baud N] [--link PATH]\n"
         "              [--fault F]...\n"
         "faults (replies count from 1, the password's included):\n"
         "  drop-page:N      no reply to the first request of page N\n"
         "  late:P:MS        the first request of page P answered MS ms late; a re-send of it answered too\n"
         "  corrupt:N        the Nth reply's checksum is wrong\n"
         "  split:K          replies in pieces of K bytes\n"
         "  lead-ff          a 0xFF before each reply\n"
         "  error:N:CODE     the Nth reply is an error reply with error byte CODE\n"
         "  silence-after:N  no replies after the Nth\n"
         "  vanish-after:N   the port disappears after the Nth reply\n";
}

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args) {
  SimOptionsResult result{true, {}, {}};
  SimOptions& o = result.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--save") {
      o.save = true;
      continue;
    }
    if (i + 1 >= args.size()) return Failure(name + " needs a value");
    const std::string& value = args[++i];
    if (name == "--image") {
      o.image = value;
    } else if (name == "--seed") {
      o.seed = Integer<std::uint64_t>(value);
      if (!o.seed) return Failure("--seed: not a number: " + value);
    } else if (name == "--password") {
      const auto number = Integer<long long>(value);
      if (!number) return Failure("--password: not a number: " + value);
      o.password = static_cast<std::uint16_t>(static_cast<unsigned long long>(*number) & 0xFFFF);
    } else if (name == "--baud") {
      const auto baud = Integer<int>(value);
      if (!baud || *baud < 0) return Failure("--baud: not a rate: " + value);
      o.baud = *baud;
    } else if (name == "--link") {
      o.link = value;
    } else if (name == "--fault") {
      if (!ParseFault(value, o.faults)) return Failure("--fault: unknown fault: " + value);
    } else {
      return Failure("unknown option: " + name);
    }
  }
  if (o.image.has_value() == o.seed.has_value()) return Failure("give either --image FILE or --seed N");
  if (o.save && !o.image) return Failure("--save needs --image");
  return result;
}

}  // namespace zt::sim
