// The operator name list of Work/FIOmast.000: names for the start window's
// combo box, and the list the operator editor works on.
//
// File: Windows-1251, CR LF. An entry line is name + " // " + comment; a line
// whose text before its first "//" is blank gives no name (the header line
// "//ФИО оператора" is one); empty lines are skipped and never written.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1251.h"
#include "core/working_files.h"

namespace zt::shell {

// The line a new list file starts with.
inline constexpr std::string_view kOperatorListHeader = "//ФИО оператора"_cp;
// The editor's title and the name field's label once it has loaded.
inline constexpr std::string_view kOperatorEditorTitle = "ФИО оператора"_cp;

// The name a line gives the combo box: the text before the first "//" (the
// whole line when there is none) without surrounding blanks; nothing when
// that text is blank.
std::optional<std::string> OperatorName(std::string_view line);
// The names of the lines that give one, in order.
std::vector<std::string> OperatorNames(const std::vector<std::string>& lines);
// The names of the file's lines; none when the file is missing or unreadable.
std::vector<std::string> ReadOperatorNames(const WorkingFiles& files);

// The two edit fields an item fills.
struct OperatorFields {
  std::string name;
  std::string comment;
};
// Name: the text before the first "//" without surrounding blanks; comment:
// the text after it, unchanged. A hand-made line without "//" is shown whole
// (without surrounding blanks) as the name with an empty comment, so that
// editing rewrites it as name + " // " and the name it gives stays the same.
OperatorFields SplitOperatorItem(std::string_view item);

// The editor's list without its file: the list box, its selection and the two fields.
class OperatorItems {
 public:
  // As a load leaves it: every non-empty line of the file's text in order,
  // then one empty item; item 0 selected.
  explicit OperatorItems(std::string_view fileText = {});

  // A click in the list: the item fills the fields.
  void Select(std::size_t index);

  // A key released in either field, with both fields' texts: the selected
  // item becomes name + " // " + comment, and an empty item is added at the
  // end when the last one is no longer empty.
  void FieldsEdited(std::string_view name, std::string_view comment);

  // The file's text: every non-empty item but the skipped one, CR LF each.
  std::string FileText(std::optional<std::size_t> skipped = std::nullopt) const;

  // "Удалить": the confirmation text, from the fields as they stand.
  std::string DeleteQuestion() const;

  const std::vector<std::string>& Items() const { return items_; }
  std::size_t Selected() const { return selected_; }
  const std::string& NameField() const { return fields_.name; }
  const std::string& CommentField() const { return fields_.comment; }

 private:
  std::vector<std::string> items_;
  std::size_t selected_ = 0;
  OperatorFields fields_;
};

// The editor window's model: the list over its file. Items are Windows-1251;
// the window converts at its edge.
class OperatorListEditor {
 public:
  explicit OperatorListEditor(const WorkingFiles& files) : file_(files.OperatorListFile()) {}

  // Creates a missing file with the header line, then lists every non-empty
  // line followed by one empty item and selects item 0. False when the file
  // could not be created or read: the list is then the one empty item, and
  // Save and DeleteSelected refuse, so that a file not read is never replaced.
  bool Load();

  void Select(std::size_t index) { list_.Select(index); }
  void FieldsEdited(std::string_view name, std::string_view comment) { list_.FieldsEdited(name, comment); }

  // "Сохранить": every non-empty item, CR LF each, replaces the file as a
  // whole. False (the old file kept) when it cannot be written.
  bool Save() const;

  std::string DeleteQuestion() const { return list_.DeleteQuestion(); }
  // "Удалить" answered Yes: the file is written without the selected item
  // (and with every other edit made so far), loaded again, and item i - 1
  // (item 0 for i = 0) selected. When the file cannot be written nothing
  // changes, the selected item fills the fields again, and false is returned.
  // Answered No, the window calls Select(Selected()).
  bool DeleteSelected();

  const std::vector<std::string>& Items() const { return list_.Items(); }
  std::size_t Selected() const { return list_.Selected(); }
  const std::string& NameField() const { return list_.NameField(); }
  const std::string& CommentField() const { return list_.CommentField(); }
  const std::filesystem::path& File() const { return file_; }

 private:
  bool WriteItemsExcept(std::optional<std::size_t> skipped) const;

  std::filesystem::path file_;
  OperatorItems list_;
  bool loaded_ = false;
};

}  // namespace zt::shell
