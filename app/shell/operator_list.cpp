#include "app/shell/operator_list.h"

#include <algorithm>

#include "app/shell/text_lines.h"
#include "core/output_file.h"

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
  const auto text = ReadFileText(files.OperatorListFile());
  return text ? OperatorNames(TextLines(*text)) : std::vector<std::string>{};
}

OperatorFields SplitOperatorItem(std::string_view item) {
  const std::size_t marker = item.find(kMarker);
  if (marker == std::string_view::npos) return {std::string(TrimBlanks(item)), std::string()};
  return {std::string(TrimBlanks(item.substr(0, marker))), std::string(item.substr(marker + kMarker.size()))};
}

bool OperatorListEditor::Load() {
  items_.clear();
  loaded_ = false;
  std::error_code ec;
  const bool exists = std::filesystem::exists(file_, ec);
  if (ec || (!exists && !ReplaceFileContents(file_, std::string(kOperatorListHeader) + "\r\n"))) {
    items_.emplace_back();
    Select(0);
    return false;
  }
  const auto text = ReadFileText(file_);
  if (text) {
    for (std::string& line : TextLines(*text))
      if (!line.empty()) items_.push_back(std::move(line));
    loaded_ = true;
  }
  items_.emplace_back();
  Select(0);
  return loaded_;
}

void OperatorListEditor::Select(std::size_t index) {
  selected_ = std::min(index, items_.size() - 1);
  fields_ = SplitOperatorItem(items_[selected_]);
}

void OperatorListEditor::FieldsEdited(std::string_view name, std::string_view comment) {
  fields_ = {std::string(name), std::string(comment)};
  items_[selected_] = fields_.name + std::string(kEntrySeparator) + fields_.comment;
  if (!items_.back().empty()) items_.emplace_back();
}

bool OperatorListEditor::WriteItemsExcept(std::optional<std::size_t> skipped) const {
  if (!loaded_) return false;
  std::string contents;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (i != skipped && !items_[i].empty()) contents += items_[i] + "\r\n";
  return ReplaceFileContents(file_, contents);
}

bool OperatorListEditor::Save() const { return WriteItemsExcept(std::nullopt); }

std::string OperatorListEditor::DeleteQuestion() const {
  return std::string("Строку  \""_cp) + fields_.name + std::string(kMarker) + fields_.comment +
         std::string("\" Удалить?"_cp);
}

bool OperatorListEditor::DeleteSelected() {
  const std::size_t deleted = selected_;
  if (!WriteItemsExcept(deleted)) {
    Select(selected_);
    return false;
  }
  const bool reloaded = Load();
  Select(deleted > 0 ? deleted - 1 : 0);
  return reloaded;
}

}  // namespace zt::shell
