#include "report/report_lines.h"

#include "core/cp1251.h"

namespace zt::report {

namespace {

// Lines are gathered and written in pieces of about this size.
constexpr std::size_t kFlushBytes = 64 * 1024;

}  // namespace

bool FileReportLines::Create(const std::filesystem::path& path) {
  Close();
  failed_ = false;
  pending_.clear();
  return file_.Open(path);
}

void FileReportLines::WriteLine(std::string_view text) {
  if (!file_.IsOpen() || failed_) return;
  pending_ += text;
  pending_ += "\r\n";
  if (pending_.size() >= kFlushBytes) Flush();
}

bool FileReportLines::Flush() {
  if (!file_.Write(pending_)) failed_ = true;
  pending_.clear();
  return !failed_;
}

bool FileReportLines::Close() {
  if (!file_.IsOpen()) return !failed_;
  if (!Flush() || !file_.Commit()) failed_ = true;
  file_.Discard();
  return !failed_;
}

std::string WithoutControlChars(std::string_view deviceText) {
  std::string text;
  for (char c : deviceText)
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) text.push_back(c);
  return text;
}

std::string Indented(std::size_t blanks, std::string_view text) {
  std::string line(blanks, ' ');
  line += text;
  return line;
}

std::string ColumnCell(std::string_view text, std::size_t width) {
  std::string cell = "|";
  cell += text;
  if (text.size() < width) cell.append(width - text.size(), ' ');
  return cell;
}

std::string RuleLine(std::size_t length) { return std::string(length, '-'); }

void WriteTableFrame(ReportLines& out, std::string_view title, std::initializer_list<std::string_view> headerLines) {
  out.WriteEmptyLine();
  out.WriteLine(title);
  const std::string rule = RuleLine(headerLines.size() > 0 ? headerLines.begin()->size() : 0);
  out.WriteLine(rule);
  for (std::string_view line : headerLines) out.WriteLine(line);
  out.WriteLine(rule);
}

void WriteRow(ReportLines& out, std::string_view rowLine) {
  out.WriteLine(rowLine);
  out.WriteLine(RuleLine(rowLine.size()));
}

void WriteNoRecordsBlock(ReportLines& out, Language language) {
  std::string line = "------";
  line += ByLanguage(language, "Записів не було"_cp, "Записей не было"_cp);
  line += "------";
  out.WriteLine(line);
  out.WriteEmptyLine();
}

std::string TotalLabel(Language language) {
  return ColumnCell(ByLanguage(language, "Того за період"_cp, "Итого за период"_cp), 17);
}

}  // namespace zt::report
