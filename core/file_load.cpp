#include "core/file_load.h"

#include "core/copy_over_file.h"
#include "core/cp1251.h"

namespace zt {

std::optional<LoadMessage> LoadFinishMessage(LoadCode code) {
  switch (code) {
    case LoadCode::None: return std::nullopt;
    case LoadCode::Stopped: return LoadMessage{MessageKind::Information, "Чтение прервано"_cp};
    case LoadCode::OpenFailed: return LoadMessage{MessageKind::Error, "Ошибка открытия файла!!!"_cp};
    case LoadCode::ShortRead: return LoadMessage{MessageKind::Error, "Ошибка чтения!!!"_cp};
    case LoadCode::ParametersInvalid:
      return LoadMessage{MessageKind::Error, "Ошибка чтения программируемых параметров!!!"_cp};
  }
  return std::nullopt;
}

void PrepareLoad(DecodedImage& image, ArchiveTables& tables) {
  image.ResetHeader();
  ResetArchiveTables(tables);
}

FileLoad::FileLoad(DecodedImage& image, ArchiveTables& tables, ProtocolLog& log, Messages& messages,
                   WorkingFiles files, std::filesystem::path dataFile)
    : image_(image),
      messages_(messages),
      files_(std::move(files)),
      dataFile_(std::move(dataFile)),
      decoder_{image, tables, log} {}

void FileLoad::Start() {
  stopRequest_ = false;
  adopted_ = false;
  gauge_ = 0;
  if (!file_.Open(dataFile_.empty() ? files_.ImageFile() : dataFile_)) {
    Finish(LoadCode::OpenFailed);
    return;
  }
  running_ = true;
}

void FileLoad::Tick() {
  if (!running_) return;
  if (stopRequest_) {
    Finish(LoadCode::Stopped);
    return;
  }
  switch (step_) {
    case LoadStep::Parameters: StepParameters(); break;
    case LoadStep::TimeArchive:
      StepArchive(timeBlock_, kTimeBlockCount, kTimeArchive.start, true, LoadStep::OperationalArchive);
      break;
    case LoadStep::OperationalArchive:
      StepArchive(operationalBlock_, kOperationalBlockCount, kOperationalArchive.start, false, LoadStep::Finished);
      if (step_ == LoadStep::Finished && !dataFile_.empty() && adoptAsImage_)
        adopted_ = CopyOverFile(files_.ImageFile(), dataFile_, messages_);
      break;
    case LoadStep::Finished: Finish(LoadCode::None); break;
    case LoadStep::Failed: Finish(error_); break;
  }
}

void FileLoad::StepParameters() {
  ++gauge_;
  error_ = LoadCode::None;
  if (file_.ReadBlock(kParameterBlock.start, block_) < kParameterBlock.size)
    error_ = LoadCode::ShortRead;
  else if (!DecodeParameterBlock(block_, image_, decoder_.formats))
    error_ = LoadCode::ParametersInvalid;
  step_ = error_ == LoadCode::None ? LoadStep::TimeArchive : LoadStep::Failed;
}

void FileLoad::StepArchive(std::uint16_t& counter, std::size_t blocks, std::uint16_t start, bool time,
                           LoadStep next) {
  ++gauge_;
  if (file_.ReadBlock(start + kBlockSize * counter, block_) < kBlockSize) {
    error_ = LoadCode::ShortRead;
    step_ = LoadStep::Failed;
    return;
  }
  if (time)
    decoder_.DecodeTimeBlock(block_);
  else
    decoder_.DecodeOperationalBlock(block_);
  if (++counter >= blocks) step_ = next;
}

void FileLoad::Finish(LoadCode code) {
  running_ = false;
  finished_ = true;
  code_ = code;
  file_.Close();
  if (const auto message = LoadFinishMessage(code)) messages_.Show(message->kind, message->text);
}

LoadCode LoadDataFile(FileLoad& load) {
  load.Start();
  while (load.Running()) load.Tick();
  return load.Code();
}

}  // namespace zt
