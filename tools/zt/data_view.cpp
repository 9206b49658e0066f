#include "tools/zt/data_view.h"

#include <algorithm>
#include <iostream>
#include <vector>

#include "core/cp1251.h"
#include "core/file_load.h"
#include "tools/zt/console.h"
#include "tools/zt/load_failure.h"
#include "tools/zt/terminal_text.h"

namespace zt::cli {
namespace {

std::string CsvField(std::string_view cp1251) {
  const std::string text = Cp1251ToUtf8(cp1251);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted.push_back('"');
    quoted.push_back(c);
  }
  return quoted + "\"";
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

void PrintRows(std::ostream& out, const ArchiveTable& table, const std::vector<std::size_t>& rows) {
  std::vector<std::size_t> widths(table.ColumnCount(), 0);
  for (std::size_t c = 0; c < table.ColumnCount(); ++c) {
    widths[c] = table.Cell(c, 0).size();
    for (std::size_t r : rows) widths[c] = std::max(widths[c], table.Cell(c, r).size());
  }
  auto printRow = [&](std::size_t r) {
    std::string line;
    for (std::size_t c = 0; c < table.ColumnCount(); ++c) line += Padded(table.Cell(c, r), widths[c] + 2);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << TerminalText(line) << '\n';
  };
  printRow(0);
  for (std::size_t r : rows) printRow(r);
}

std::size_t PresentRows(const ArchiveTable& table) {
  std::size_t n = 0;
  for (std::size_t r = 1; r < table.RowCount(); ++r)
    if (table.Cell(1, r) != kDitto) ++n;
  return n;
}

std::vector<std::size_t> RowsAround(const ArchiveTable& table, std::size_t current, std::size_t each) {
  std::vector<std::size_t> rows;
  const std::size_t first = current > each ? current - each : 1;
  for (std::size_t r = first; r <= current + each && r < table.RowCount(); ++r) rows.push_back(r);
  return rows;
}

}  // namespace

int LoadForInspection(const std::string& command, const std::string& path, LoadedData& data,
                      const WorkingFiles& files) {
  PrepareLoad(data.image, data.tables);
  NullProtocolLog log;
  ConsoleMessages messages;
  FileLoad load(data.image, data.tables, log, messages, files, path);
  load.SetAdoptAsImage(false);
  const LoadCode code = LoadDataFile(load);
  if (code != LoadCode::None)
    std::cerr << "zt " << command << ": cannot load " << VisibleControls(path) << ": "
              << LoadFailureReason(path, code) << '\n';
  return static_cast<int>(code);
}

std::string TableCsv(const ArchiveTable& table) {
  std::string csv;
  for (std::size_t r = 0; r < table.RowCount(); ++r) {
    for (std::size_t c = 0; c < table.ColumnCount(); ++c) {
      if (c > 0) csv.push_back(',');
      csv += CsvField(table.Cell(c, r));
    }
    csv += "\r\n";
  }
  return csv;
}

void PrintOverview(std::ostream& out, const LoadedData& data, std::size_t each) {
  static constexpr std::string_view kLabels[kHeaderFieldCount] = {
      "Заводской номер"_cp, "Количество датчиков"_cp, "Версия ПО"_cp, "Предприятие"_cp,
      "Ветка газопровода"_cp, "Счетчик"_cp, "Дата и время регистратора"_cp};
  for (std::size_t i = 0; i < kHeaderFieldCount; ++i)
    out << Cp1251ToUtf8(Padded(std::string(kLabels[i]), 28)) << TerminalText(data.image.header[i]) << '\n';
  const struct {
    std::string_view title;
    const ArchiveTable& table;
    std::size_t current;
  } archives[] = {{"Временной архив"_cp, data.tables.time, data.image.lastTimeIndex + 1u},
                  {"Оперативный архив"_cp, data.tables.operational, data.image.lastOperIndex + 1u}};
  for (const auto& a : archives) {
    out << '\n'
        << Cp1251ToUtf8(a.title) << ": " << PresentRows(a.table) << " of " << a.table.RowCount() - 1
        << " records present; around the current record (row " << a.current << "):\n";
    PrintRows(out, a.table, RowsAround(a.table, a.current, each));
  }
}

}  // namespace zt::cli
