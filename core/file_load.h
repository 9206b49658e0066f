// Loading a device-data file into the header and both tables, one block per
// tick: the parameter block, 16 time-archive blocks, 12 operational blocks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/archive_decoder.h"
#include "core/data_file.h"
#include "core/messages.h"
#include "core/working_files.h"

namespace zt {

enum class LoadStep : std::uint8_t { Parameters = 0, TimeArchive = 1, OperationalArchive = 2, Finished = 30, Failed = 50 };
enum class LoadCode : std::uint8_t { None = 0, Stopped = 1, OpenFailed = 2, ShortRead = 3, ParametersInvalid = 4 };

inline constexpr int kLoadSteps = 29;

struct LoadMessage {
  MessageKind kind;
  std::string_view text;  // Windows-1251
};
// The message shown when a load finishes with the code; none for code 0.
std::optional<LoadMessage> LoadFinishMessage(LoadCode code);

// Header to the ditto mark and both tables reset, as before every load.
void PrepareLoad(DecodedImage& image, ArchiveTables& tables);

class FileLoad {
 public:
  // dataFile: the saved file to load, or empty for the image file.
  FileLoad(DecodedImage& image, ArchiveTables& tables, ProtocolLog& log, Messages& messages, WorkingFiles files,
           std::filesystem::path dataFile);

  // A complete load of a saved file makes it the image file; inspection tools turn that off.
  void SetAdoptAsImage(bool adopt) { adoptAsImage_ = adopt; }

  // Opens the file; on failure finishes with code 2 at once.
  void Start();
  // One step; does nothing once finished.
  void Tick();
  // The Stop button and Esc.
  void RequestStop() { stopRequest_ = true; }

  bool Running() const { return running_; }
  bool Finished() const { return finished_; }
  LoadCode Code() const { return code_; }
  int Gauge() const { return gauge_; }
  LoadStep Step() const { return step_; }
  const std::filesystem::path& DataFileName() const { return dataFile_; }
  // Finished complete, and the image file holds what was loaded: it was the
  // source, or the saved file was copied over it.
  bool ImageHoldsData() const { return finished_ && code_ == LoadCode::None && (dataFile_.empty() || adopted_); }

 private:
  void Finish(LoadCode code);
  void StepParameters();
  void StepArchive(std::uint16_t& counter, std::size_t blocks, std::uint16_t start, bool time, LoadStep next);

  DecodedImage& image_;
  Messages& messages_;
  WorkingFiles files_;
  std::filesystem::path dataFile_;
  ArchiveDecoder decoder_;
  DataFile file_;
  std::string block_;
  LoadStep step_ = LoadStep::Parameters;
  std::uint16_t timeBlock_ = 0;
  std::uint16_t operationalBlock_ = 0;
  bool adoptAsImage_ = true;
  bool adopted_ = false;
  bool stopRequest_ = false;
  bool running_ = false;
  bool finished_ = false;
  LoadCode error_ = LoadCode::None;
  LoadCode code_ = LoadCode::None;
  int gauge_ = 0;
};

// Runs a whole load without a window: Start, then ticks until it finishes.
LoadCode LoadDataFile(FileLoad& load);

}  // namespace zt
