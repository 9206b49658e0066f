#include "app/shell/operator_list.h"

#include <algorithm>

#include "core/input_file.h"
#include "core/output_file.h"
#include "core/text_lines.h"

namespace zt::shell {
namespace {

constexpr std::string_view kMarker = "//";
constexpr std::string_view kEntrySeparator = " // ";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::optional<std::string> OperatorName(std::string_view line) {
  const std::string_view name = TrimBlanks(line.substr(0, line.find(kMarker)));
  if (name.empty()) return std::nullopt;
  return std::string(name);
}

std::vector<std::string> OperatorNames(const std::vector<std::string>& lines) {
  std::vector<std::string> names;
  for (const std::string& line : lines)
    if (auto name = OperatorName(line)) names.push_back(std::move(*name));
  return names;
}

std::vector<std::string> ReadOperatorNames(const WorkingFiles& files) {
  const auto text = ReadWholeFile(files.OperatorListFile());
  return text ? OperatorNames(TextLines(*text)) : std::vector<std::string>{};
}

OperatorFields SplitOperatorItem(std::string_view item) {
  const std::size_t marker = item.find(kMarker);
  if (marker == std::string_view::npos) return {std::string(TrimBlanks(item)), std::string()};
  return {std::string(TrimBlanks(item.substr(0, marker))), std::string(item.substr(marker + kMarker.size()))};
}

OperatorItems::OperatorItems(std::string_view fileText) {
  for (std::string& line : TextLines(fileText))
    if (!line.empty()) items_.push_back(std::move(line));
  items_.emplace_back();
  Select(0);
}

void OperatorItems::Select(std::size_t index) {
  selected_ = std::min(index, items_.size() - 1);
  fields_ = SplitOperatorItem(items_[selected_]);
}

void OperatorItems::FieldsEdited(std::string_view name, std::string_view comment) {
  fields_ = {std::string(name), std::string(comment)};
  items_[selected_] = fields_.name + std::string(kEntrySeparator) + fields_.comment;
  if (!items_.back().empty()) items_.emplace_back();
}

std::string OperatorItems::FileText(std::optional<std::size_t> skipped) const {
  std::string contents;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (i != skipped && !items_[i].empty()) contents += items_[i] + "\r\n";
  return contents;
}

std::string OperatorItems::DeleteQuestion() const {
  return std::string("Строку  \""_cp) + fields_.name + std::string(kMarker) + fields_.comment +
         std::string("\" Удалить?"_cp);
}

bool OperatorListEditor::Load() {
  loaded_ = false;
  std::error_code ec;
  const bool exists = std::filesystem::exists(file_, ec);
  if (ec || (!exists && !ReplaceFileContents(file_, std::string(kOperatorListHeader) + "\r\n"))) {
    list_ = OperatorItems();
    return false;
  }
  const auto text = ReadWholeFile(file_);
  list_ = OperatorItems(text ? std::string_view(*text) : std::string_view());
  loaded_ = text.has_value();
  return loaded_;
}

bool OperatorListEditor::WriteItemsExcept(std::optional<std::size_t> skipped) const {
  return loaded_ && ReplaceFileContents(file_, list_.FileText(skipped));
}

bool OperatorListEditor::Save() const { return WriteItemsExcept(std::nullopt); }

bool OperatorListEditor::DeleteSelected() {
  const std::size_t deleted = list_.Selected();
  if (!WriteItemsExcept(deleted)) {
    list_.Select(deleted);
    return false;
  }
  const bool reloaded = Load();
  list_.Select(deleted > 0 ? deleted - 1 : 0);
  return reloaded;
}

}  // namespace zt::shell
