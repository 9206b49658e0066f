// Command-line arguments of one zt command: positionals and --name value options.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace zt::cli {

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;  // "--from" -> value
  std::set<std::string> flags;                 // "--short"

  std::optional<std::string> Get(const std::string& name) const;
  bool Has(const std::string& flag) const { return flags.count(flag) > 0; }
};

// valueOptions take the next argument as their value; flagOptions take none.
// Anything else starting with "-" is an error, and so is an option given
// twice, an empty value (an empty name would mean the image file or the
// current folder) unless the option is one of textOptions, and an empty
// positional. The reason is put in error.
std::optional<Args> ParseArgs(const std::vector<std::string>& argv, const std::set<std::string>& valueOptions,
                              const std::set<std::string>& flagOptions, std::string& error,
                              const std::set<std::string>& textOptions = {});

// Parses a whole non-negative decimal number; nullopt when it is not one.
std::optional<long long> ParseNumber(const std::string& text);

}  // namespace zt::cli
