#include "tools/zt/report_sheets.h"

#include <iostream>
#include <limits>
#include <system_error>

#include "report/build_control.h"
#include "report/report_preview.h"

namespace zt::cli {
namespace {

// A paginated report that fails exits with 30 + the pagination's result code.
constexpr int kSheetErrorBase = 30;

const char* const kLayoutOptions[] = {"--lines", "--chars", "--indent", "--top", "--bottom"};

// The option's value when given, else the fallback; false when it is not a number up to the limit.
bool NumberOption(const Args& args, const std::string& name, long long limit, int fallback, int& value,
                  std::string& error) {
  const auto text = args.Get(name);
  if (!text) {
    value = fallback;
    return true;
  }
  const auto number = ParseNumber(*text);
  if (!number || *number > limit) {
    error = name + " takes a whole number from 0 to " + std::to_string(limit);
    return false;
  }
  value = static_cast<int>(*number);
  return true;
}

// A sheet holds its heading (the sheet line and the report's title line), the
// top margin, at least one report line, then the bottom margin and two more
// empty lines, all within P - 1 lines; and a line of one character must pass
// the length check (length + indent + 3 < C).
bool LayoutHasRoom(const report::PageLayout& layout, std::string& error) {
  const int leastLines = layout.topMargin + layout.bottomMargin + 6;
  if (layout.linesPerSheet < leastLines) {
    error = "--lines " + std::to_string(layout.linesPerSheet) + " leaves no room for a report line with --top " +
            std::to_string(layout.topMargin) + " and --bottom " + std::to_string(layout.bottomMargin) +
            "; give --lines " + std::to_string(leastLines) + " or more, or smaller margins";
    return false;
  }
  const int leastChars = layout.leftIndent + 5;
  if (layout.charsPerLine < leastChars) {
    error = "--chars " + std::to_string(layout.charsPerLine) + " leaves no room for a report line with --indent " +
            std::to_string(layout.leftIndent) + "; give --chars " + std::to_string(leastChars) +
            " or more, or a smaller --indent";
    return false;
  }
  return true;
}

// RpList1, RpList2, ...: the names the pagination gives its sheets.
bool IsSheetFileName(const std::string& name) {
  constexpr std::string_view kPrefix = "RpList";
  return name.size() > kPrefix.size() && name.compare(0, kPrefix.size(), kPrefix) == 0 &&
         name[kPrefix.size()] != '0' && name.find_first_not_of("0123456789", kPrefix.size()) == std::string::npos;
}

// The sheets of an earlier report would stand beside the new ones as if they
// belonged to it; false with the reason on stderr when one cannot go.
bool RemoveEarlierSheets(const SheetRequest& request) {
  for (const auto& sheet : ExistingSheetFiles(request)) {
    std::error_code ec;
    std::filesystem::remove(sheet, ec);
    if (ec) {
      std::cerr << "zt report: cannot remove " << sheet.string() << " of an earlier report: " << ec.message()
                << "; remove it or give another SHEETDIR\n";
      return false;
    }
  }
  return true;
}

}  // namespace

std::set<std::string> WithSheetOptions(std::set<std::string> options) {
  options.insert("--sheets");
  for (const char* name : kLayoutOptions) options.insert(name);
  return options;
}

std::optional<SheetRequest> SheetRequestOf(const Args& args, std::string& error) {
  SheetRequest request;
  const auto folder = args.Get("--sheets");
  if (!folder) {
    for (const char* name : kLayoutOptions)
      if (args.Get(name)) {
        error = std::string(name) + " goes with --sheets SHEETDIR";
        return std::nullopt;
      }
    return request;
  }
  if (!args.Get("--lines") || !args.Get("--chars")) {
    error = "--sheets SHEETDIR needs --lines P and --chars C";
    return std::nullopt;
  }
  constexpr long long kMost = std::numeric_limits<int>::max();
  constexpr long long kMostMargin = 255;  // the settings keep indent and margins in one byte
  report::PageLayout& layout = request.layout;
  if (!NumberOption(args, "--lines", kMost, 0, layout.linesPerSheet, error) ||
      !NumberOption(args, "--chars", kMost, 0, layout.charsPerLine, error) ||
      !NumberOption(args, "--indent", kMostMargin, 5, layout.leftIndent, error) ||
      !NumberOption(args, "--top", kMostMargin, 3, layout.topMargin, error) ||
      !NumberOption(args, "--bottom", kMostMargin, 3, layout.bottomMargin, error))
    return std::nullopt;
  if (!LayoutHasRoom(layout, error)) return std::nullopt;
  request.folder = *folder;
  return request;
}

std::vector<std::filesystem::path> ExistingSheetFiles(const SheetRequest& request) {
  std::vector<std::filesystem::path> sheets;
  if (!request.folder) return sheets;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(*request.folder, ec), end; !ec && it != end; it.increment(ec))
    if (IsSheetFileName(it->path().filename().string())) sheets.push_back(it->path());
  return sheets;
}

int WriteSheets(const SheetRequest& request, const std::filesystem::path& reportText, Messages& messages) {
  if (!request.folder) return 0;
  std::error_code ec;
  std::filesystem::create_directories(*request.folder, ec);
  if (ec) {
    std::cerr << "zt report: cannot create " << *request.folder << ": " << ec.message() << '\n';
    return kSheetErrorBase + static_cast<int>(report::PaginationResult::SheetFailed);
  }
  if (!RemoveEarlierSheets(request)) return kSheetErrorBase + static_cast<int>(report::PaginationResult::SheetFailed);
  const WorkingFiles sheets(*request.folder);
  report::LinesPreview preview;
  report::NoEventPump pump;
  report::YieldPoint yield(pump);
  report::StopRequest stop;
  const report::Pagination p = report::PaginateReport(reportText, request.layout, {sheets, preview, messages, yield, stop});
  switch (p.result) {
    case report::PaginationResult::Paginated:
      std::cout << "sheets: " << p.sheets << '\n';
      return 0;
    case report::PaginationResult::LineTooLong:
      break;  // the warning is on stderr already
    case report::PaginationResult::ReportUnreadable:
      std::cerr << "zt report: cannot read " << reportText << '\n';
      break;
    case report::PaginationResult::SheetFailed:
      std::cerr << "zt report: cannot write the sheet files in " << *request.folder << '\n';
      break;
    case report::PaginationResult::Stopped:
      break;
  }
  return kSheetErrorBase + static_cast<int>(p.result);
}

}  // namespace zt::cli
