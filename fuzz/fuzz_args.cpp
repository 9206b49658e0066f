// zt's option parsing under arbitrary command lines. The input's pieces, cut at
// zero bytes: the options taking a value (split at blanks), the flags, then the
// arguments. Every argument is also read as a number.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "tools/zt/args.h"

namespace {

using namespace zt::cli;
using zt::fuzz::Require;

std::vector<std::string> Pieces(std::string_view input) {
  std::vector<std::string> pieces;
  while (true) {
    const std::size_t end = input.find('\0');
    pieces.emplace_back(input.substr(0, end));
    if (end == std::string_view::npos) return pieces;
    input.remove_prefix(end + 1);
  }
}

std::set<std::string> Words(const std::string& text) {
  std::set<std::string> words;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    if (end > at) words.insert(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

bool Subsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
  auto at = whole.begin();
  for (const std::string& p : part) {
    at = std::find(at, whole.end(), p);
    if (at == whole.end()) return false;
    ++at;
  }
  return true;
}

bool SameArgs(const Args& a, const Args& b) {
  return a.positional == b.positional && a.options == b.options && a.flags == b.flags;
}

void CheckNumber(const std::string& text) {
  const auto n = ParseNumber(text);
  if (!n) return;
  // Only digits make a number, and it is their value.
  Require(*n >= 0 && !text.empty() && text.find_first_not_of("0123456789") == std::string::npos);
  const std::size_t digits = text.find_first_not_of('0');
  Require(std::to_string(*n) == (digits == std::string::npos ? "0" : text.substr(digits)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> pieces = Pieces(zt::fuzz::Bytes(data, size));
  if (pieces.size() < 2) return 0;
  const std::set<std::string> valueOptions = Words(pieces[0]);
  const std::set<std::string> flagOptions = Words(pieces[1]);
  const std::vector<std::string> argv(pieces.begin() + 2, pieces.end());
  for (const std::string& a : argv) CheckNumber(a);

  std::string error;
  const auto args = ParseArgs(argv, valueOptions, flagOptions, error);
  if (!args) {
    // The message names the argument that is wrong, in one of the parser's forms.
    Require(!argv.empty());
    if (error == "an empty file name; give the file's name") {
      Require(std::find(argv.begin(), argv.end(), std::string()) != argv.end());
      return 0;
    }
    const auto named = [&](const std::string& prefix, const std::string& suffix) -> std::optional<std::string> {
      if (error.size() < prefix.size() + suffix.size() || error.rfind(prefix, 0) != 0 ||
          error.compare(error.size() - suffix.size(), suffix.size(), suffix) != 0)
        return std::nullopt;
      return error.substr(prefix.size(), error.size() - prefix.size() - suffix.size());
    };
    const auto unknown = named("unknown option ", "");
    const auto needs = named("option ", " needs a value");
    const auto twice = named("option ", " is given twice; give it once");
    const auto empty = named("option ", " is empty; give it a value");
    Require(unknown || needs || twice || empty);
    const std::string culprit = unknown ? *unknown : needs ? *needs : twice ? *twice : *empty;
    Require(std::find(argv.begin(), argv.end(), culprit) != argv.end());
    if (unknown) Require(culprit.size() > 1 && culprit[0] == '-' && valueOptions.count(culprit) == 0);
    if (needs) Require(argv.back() == culprit && valueOptions.count(culprit) > 0);
    if (twice) Require(std::count(argv.begin(), argv.end(), culprit) >= 2);
    if (empty) Require(valueOptions.count(culprit) > 0);
    return 0;
  }
  Require(Subsequence(args->positional, argv));
  for (const std::string& p : args->positional) Require(p.size() <= 1 || p[0] != '-');
  for (const auto& [name, value] : args->options) {
    Require(valueOptions.count(name) > 0 && args->Get(name) == value);
    Require(Subsequence({name, value}, argv));
  }
  for (const std::string& flag : args->flags) Require(flagOptions.count(flag) > 0 && args->Has(flag));

  // The same arguments in another order (positionals, options, flags) mean the same.
  std::vector<std::string> reordered = args->positional;
  for (const auto& [name, value] : args->options) reordered.insert(reordered.end(), {name, value});
  reordered.insert(reordered.end(), args->flags.begin(), args->flags.end());
  std::string again;
  const auto reparsed = ParseArgs(reordered, valueOptions, flagOptions, again);
  Require(reparsed && SameArgs(*reparsed, *args));
  return 0;
}
