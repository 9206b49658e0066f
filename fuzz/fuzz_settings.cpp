// Arbitrary bytes as the print settings file and as the report period file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "report/print_settings_file.h"
#include "report/report_period.h"
#include "report/substitute_printer.h"

namespace {

class SilentMessages final : public zt::Messages {
 public:
  bool Show(zt::MessageKind, std::string_view) override { return true; }
};

const zt::WorkingFiles& Files() {
  static const zt::WorkingFiles files = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "zt-fuzz-XXXXXX").string();
    zt::WorkingFiles f{std::filesystem::path(::mkdtemp(tmpl.data()))};
    f.EnsureFolders();
    return f;
  }();
  return files;
}

void Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zt::report;
  const zt::WorkingFiles& files = Files();
  std::string bytes(reinterpret_cast<const char*>(data), size);
  // Half of the inputs get past the version tag, so the fields are read too.
  if (size > 0 && (data[0] & 1)) bytes = std::string(kPrintSettingsVersionTag) + "\r\n" + bytes.substr(1);

  SilentMessages messages;
  SubstitutePrinter printer({{"Office Jet", "PDF", "Office  Jet"}, 1});
  PrintSetup setup;
  Write(files.PrintSettingsFile(), bytes);
  LoadPrintSettings(files, setup, printer, messages);
  // What was loaded saves and loads again without being taken for another version.
  if (!SavePrintSettings(files, setup.settings)) std::abort();
  PrintSetup again;
  LoadPrintSettings(files, again, printer, messages);
  if (!std::filesystem::exists(files.PrintSettingsFile())) std::abort();

  zt::report::ReportPeriodChoice choice;
  Write(files.ReportPeriodFile(), bytes);
  LoadReportPeriod(files, choice);
  if (!SaveReportPeriod(files, choice)) std::abort();
  zt::report::ReportPeriodChoice back;
  LoadReportPeriod(files, back);
  if (back.begin.year != choice.begin.year || back.end.second != choice.end.second ||
      back.timeArchive != choice.timeArchive)
    std::abort();
  return 0;
}
