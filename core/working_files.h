// Every file the program keeps, relative to the program folder.
#pragma once

#include <filesystem>
#include <string>

namespace zt {

class WorkingFiles {
 public:
  explicit WorkingFiles(std::filesystem::path programFolder) : root_(std::move(programFolder)) {}

  const std::filesystem::path& ProgramFolder() const { return root_; }
  std::filesystem::path WorkFolder() const { return root_ / "Work"; }
  std::filesystem::path ReportFolder() const { return root_ / "Report"; }

  std::filesystem::path ImageFile() const { return WorkFolder() / "cur_Rep.000"; }
  std::filesystem::path ReportPeriodFile() const { return WorkFolder() / "RepPrn.000"; }
  std::filesystem::path ScanLimitFile() const { return WorkFolder() / "Q_RS.000"; }
  std::filesystem::path RememberedPortFile() const { return WorkFolder() / "ZT_RS.000"; }
  std::filesystem::path RegionalFlagFile() const { return WorkFolder() / "Type_Ru.000"; }
  std::filesystem::path PrintSettingsFile() const { return WorkFolder() / "FileInRS.000"; }
  std::filesystem::path OperatorListFile() const { return WorkFolder() / "FIOmast.000"; }
  // A COMn entry here, a link to a device, names the device behind that COM number.
  std::filesystem::path PortLink(int comNumber) const { return WorkFolder() / ("COM" + std::to_string(comNumber)); }

  std::filesystem::path ReportTextFile() const { return root_ / "RepDay"; }
  std::filesystem::path SheetFile(int sheet) const { return root_ / ("RpList" + std::to_string(sheet)); }

  // Creates Work and Report when missing; false when that fails.
  bool EnsureFolders() const;

 private:
  std::filesystem::path root_;
};

// The folder of the running program (from /proc/self/exe), or the current folder.
std::filesystem::path RunningProgramFolder();

}  // namespace zt
