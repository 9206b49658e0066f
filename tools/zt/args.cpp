#include "tools/zt/args.h"

#include <charconv>

namespace zt::cli {

std::optional<std::string> Args::Get(const std::string& name) const {
  const auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

std::optional<Args> ParseArgs(const std::vector<std::string>& argv, const std::set<std::string>& valueOptions,
                              const std::set<std::string>& flagOptions, std::string& error,
                              const std::set<std::string>& textOptions) {
  Args args;
  auto fail = [&](std::string what) {
    error = std::move(what);
    return std::nullopt;
  };
  for (std::size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    const bool takesValue = valueOptions.count(a) > 0 || textOptions.count(a) > 0;
    if (takesValue || flagOptions.count(a)) {
      // The second would silently win over the first.
      if (args.options.count(a) || args.flags.count(a)) return fail("option " + a + " is given twice; give it once");
    }
    if (takesValue) {
      if (i + 1 >= argv.size()) return fail("option " + a + " needs a value");
      const std::string& value = argv[++i];
      if (value.empty() && !textOptions.count(a)) return fail("option " + a + " is empty; give it a value");
      args.options[a] = value;
    } else if (flagOptions.count(a)) {
      args.flags.insert(a);
    } else if (a.size() > 1 && a[0] == '-') {
      return fail("unknown option " + a);
    } else if (a.empty()) {
      return fail("an empty file name; give the file's name");
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
