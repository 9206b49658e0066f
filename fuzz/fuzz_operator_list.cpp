// Arbitrary texts as the operator list file (Work/FIOmast.000), then the
// editor's operations on its list. The input's pieces, cut at zero bytes: the
// file's text first, then one operation each: a piece starting with an even
// byte selects the item its second byte numbers; any other is an edit, its
// rest halved into the name and the comment field.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/shell/operator_list.h"
#include "core/text_lines.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace zt::shell;
using zt::TextLines;
using zt::fuzz::Require;

std::optional<std::string> NameOfFields(const OperatorFields& f) {
  if (f.name.empty()) return std::nullopt;
  return f.name;
}

void CheckItem(const std::string& item) {
  const OperatorFields f = SplitOperatorItem(item);
  Require(OperatorName(item) == NameOfFields(f));
  // Edited as it stands, an item gives the same name, and its comment one blank more.
  const std::string rewritten = f.name + " // " + f.comment;
  const OperatorFields again = SplitOperatorItem(rewritten);
  Require(again.name == f.name && again.comment == " " + f.comment);
  Require(OperatorName(rewritten) == OperatorName(item));
}

// After every operation.
void CheckShape(const OperatorItems& list) {
  const std::vector<std::string>& items = list.Items();
  // The place for a new entry is the one empty item, always the last.
  Require(!items.empty() && items.back().empty());
  Require(list.Selected() < items.size());
  if (items.size() > 1) Require(!items[items.size() - 2].empty());
}

// After the last operation: the whole list.
void CheckList(const OperatorItems& list) {
  CheckShape(list);
  const std::vector<std::string>& items = list.Items();
  for (std::size_t i = 0; i + 1 < items.size(); ++i) Require(!items[i].empty());
  for (const std::string& item : items) CheckItem(item);

  // Saved and loaded again, the list is the same; deleted, it lacks only that item.
  const std::string text = list.FileText();
  Require(OperatorItems(text).Items() == items);
  std::vector<std::string> without = items;
  if (list.Selected() + 1 < items.size()) without.erase(without.begin() + static_cast<std::ptrdiff_t>(list.Selected()));
  Require(OperatorItems(list.FileText(list.Selected())).Items() == without);
  // The combo box reads the names the items give.
  std::vector<std::string> names;
  for (const std::string& item : items)
    if (auto name = OperatorName(item)) names.push_back(*name);
  Require(OperatorNames(TextLines(text)) == names);

  const std::string question = list.DeleteQuestion();
  Require(question.find(list.NameField() + "//" + list.CommentField()) != std::string::npos);
}

// A line edit holds one line.
std::string OneLine(std::string_view text) {
  std::string out(text);
  std::erase(out, '\n');
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input = zt::fuzz::Bytes(data, size);
  const std::size_t fileEnd = input.find('\0');
  const std::string_view fileText = input.substr(0, fileEnd);
  input.remove_prefix(fileEnd == std::string_view::npos ? input.size() : fileEnd + 1);

  OperatorItems list(fileText);
  Require(list.Selected() == 0);
  const std::vector<std::string> lines = TextLines(fileText);
  Require(list.Items().size() == 1 + static_cast<std::size_t>(std::count_if(
                                         lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); })));
  Require(OperatorNames(lines) == OperatorNames(list.Items()));

  while (!input.empty()) {
    const std::size_t end = input.find('\0');
    const std::string_view piece = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    if (piece.empty()) continue;
    if (piece[0] % 2 == 0) {
      const std::size_t index = piece.size() > 1 ? static_cast<unsigned char>(piece[1]) : 0;
      list.Select(index);
      const OperatorFields f = SplitOperatorItem(list.Items()[list.Selected()]);
      Require(list.NameField() == f.name && list.CommentField() == f.comment);
      Require(list.Selected() == std::min(index, list.Items().size() - 1));
    } else {
      const std::string_view fields = piece.substr(1);
      const std::string name = OneLine(fields.substr(0, fields.size() / 2));
      const std::string comment = OneLine(fields.substr(fields.size() / 2));
      const std::size_t selected = list.Selected();
      list.FieldsEdited(name, comment);
      Require(list.Selected() == selected && list.NameField() == name && list.CommentField() == comment);
      Require(list.Items()[selected] == name + " // " + comment);
      CheckItem(list.Items()[selected]);
    }
    CheckShape(list);
  }
  CheckList(list);
  return 0;
}
