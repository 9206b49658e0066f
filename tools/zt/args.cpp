#include "tools/zt/args.h"

#include <charconv>

namespace zt::cli {

std::optional<std::string> Args::Get(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

std::optional<Args> ParseArgs(const std::vector<std::string>& argv, const std::set<std::string>& valueOptions,
                              const std::set<std::string>& flagOptions, std::string& error) {
  Args args;
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (valueOptions.count(a)) {
      if (i + 1 >= argv.size()) {
        error = "option " + a + " needs a value";
        return std::nullopt;
      }
      args.options[a] = argv[++i];
    } else if (flagOptions.count(a)) {
      args.flags.insert(a);
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option " + a;
      return std::nullopt;
    } else {
      args.positional.push_back(a);
    }
  }
  return args;
}

std::optional<long long> ParseNumber(const std::string& text) {
  // Digits only: from_chars would also take a minus sign, and "-0" is no whole number as typed.
  if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
  long long v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace zt::cli
