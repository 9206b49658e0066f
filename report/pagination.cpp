#include "report/pagination.h"

#include <optional>
#include <string>

#include "core/cp1251.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "core/text_lines.h"

namespace zt::report {
namespace {

bool TooLong(std::string_view line, const PageLayout& layout) {
  return static_cast<long long>(line.size()) + layout.leftIndent + 3 >= layout.charsPerLine;
}

// The counter reaching it ends a sheet. Wide, as the settings file may give any line count.
long long CounterLimit(const PageLayout& layout) {
  return static_cast<long long>(layout.linesPerSheet) - layout.bottomMargin - 2;
}

void WarnTooLong(Messages& messages) {
  messages.Show(MessageKind::Warning, "ДЛИНА СТРОКИ БОЛЬШЕ - УМЕНЬШИТЕ РАЗМЕР ШРИФТА"_cp);
}

struct Counted {
  PaginationResult result = PaginationResult::ReportUnreadable;
  int sheets = 0;
};

Counted CountSheets(std::string_view text, const PageLayout& layout, Messages& messages) {
  TakeTextLine(text);  // the running header; an empty file still paginates
  int sheet = 1;
  long long counter = 1;
  while (const auto line = TakeTextLine(text)) {
    if (counter == 1) counter += (sheet == 1 ? 1 : 2) + layout.topMargin;
    counter += 1;
    if (TooLong(*line, layout)) {
      WarnTooLong(messages);
      return {PaginationResult::LineTooLong, 0};
    }
    if (counter >= CounterLimit(layout)) {
      ++sheet;
      counter = 1;
    }
  }
  return {PaginationResult::Paginated, sheet};
}

// Each sheet is gathered whole and put in place as one file; a sheet file
// that is the report text itself is refused.
class SheetWriter {
 public:
  SheetWriter(const PageLayout& layout, const PaginationTarget& target, const std::filesystem::path& reportText)
      : layout_(layout), target_(target), reportText_(reportText) {}

  bool Open(int sheet) {
    sheet_ = sheet;
    counter_ = 1;
    text_.clear();
    return out_.Open(target_.sheetFolder.SheetFile(sheet), {reportText_});
  }
  bool Close() {
    const bool written = out_.Write(text_) && out_.Commit();
    out_.Discard();
    return written;
  }
  void Emit(std::string_view text) {
    std::string line(static_cast<std::size_t>(layout_.leftIndent), ' ');
    line += text;
    target_.preview.AppendLine(line);
    text_ += line;
    text_ += "\r\n";
    ++counter_;
  }
  void EmitEmpty(int count) {
    for (int i = 0; i < count; ++i) Emit({});
  }
  int Sheet() const { return sheet_; }
  long long Counter() const { return counter_; }

 private:
  const PageLayout& layout_;
  const PaginationTarget& target_;
  const std::filesystem::path& reportText_;
  OutputFile out_;
  std::string text_;
  int sheet_ = 0;
  long long counter_ = 1;
};

}  // namespace

PageLayout LayoutOf(const PrintSetup& setup) {
  return {setup.working.linesPerSheet, setup.working.charsPerLine, setup.settings.leftIndent,
          setup.settings.topMargin, setup.settings.bottomMargin};
}

Pagination PaginateReport(const std::filesystem::path& reportText, const PageLayout& layout,
                          const PaginationTarget& target) {
  const auto text = ReadWholeFile(reportText);
  if (!text) return {PaginationResult::ReportUnreadable, 0};
  const Counted counted = CountSheets(*text, layout, target.messages);
  if (counted.result != PaginationResult::Paginated) return {counted.result, 0};

  std::string_view rest = *text;
  const std::string_view header = TakeTextLine(rest).value_or(std::string_view());
  SheetWriter sheet(layout, target, reportText);
  if (!sheet.Open(1)) return {PaginationResult::SheetFailed, 0};
  const auto fail = [&](PaginationResult why) {
    sheet.Close();
    return Pagination{why, sheet.Sheet()};
  };
  while (const auto line = TakeTextLine(rest)) {
    target.yield();
    if (target.stop.IsSet()) return fail(PaginationResult::Stopped);
    if (sheet.Counter() == 1) {
      if (sheet.Sheet() == 1) {
        sheet.Emit(std::string("Всего листов: "_cp) + std::to_string(counted.sheets));
      } else {
        sheet.Emit(std::string("Лист "_cp) + std::to_string(sheet.Sheet()) + "/ ");
        sheet.Emit(header);
      }
      sheet.EmitEmpty(layout.topMargin);
    }
    sheet.Emit(*line);
    if (TooLong(*line, layout)) {
      WarnTooLong(target.messages);
      return fail(PaginationResult::LineTooLong);
    }
    if (sheet.Counter() >= CounterLimit(layout)) {
      sheet.EmitEmpty(layout.bottomMargin + 2);
      if (!sheet.Close()) return {PaginationResult::SheetFailed, sheet.Sheet()};
      if (!sheet.Open(sheet.Sheet() + 1)) return {PaginationResult::SheetFailed, sheet.Sheet() - 1};
    }
  }
  if (!sheet.Close()) return {PaginationResult::SheetFailed, sheet.Sheet()};
  return {PaginationResult::Paginated, sheet.Sheet()};
}

}  // namespace zt::report
