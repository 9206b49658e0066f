#include "report/report_lines.h"

#include "core/cp1251.h"

namespace zt::report {

bool FileReportLines::Create(const std::filesystem::path& path) {
  Close();
  failed_ = false;
  file_ = std::fopen(path.c_str(), "wb");
  return file_ != nullptr;
}

void FileReportLines::WriteLine(std::string_view text) {
  if (file_ == nullptr || failed_) return;
  // An empty view may carry no pointer at all, which fwrite must not see.
  if ((!text.empty() && std::fwrite(text.data(), 1, text.size(), file_) != text.size()) ||
      std::fwrite("\r\n", 1, 2, file_) != 2)
    failed_ = true;
}

bool FileReportLines::Close() {
  if (file_ == nullptr) return !failed_;
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  return !failed_;
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
