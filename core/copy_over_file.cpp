#include "core/copy_over_file.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "core/input_file.h"
#include "core/output_file.h"

namespace zt {
namespace {

constexpr std::string_view kCopyFailed = "Ошибка! при копировании файла "_cp;
constexpr std::string_view kDeleteFailed = "Ошибка! при удалении файла "_cp;
constexpr std::string_view kSameFile = "Ошибка! файл "_cp;
constexpr std::string_view kSameFileSource = " совпадает с исходным файлом "_cp;
constexpr std::string_view kNotAFile = "Файл \""_cp;
constexpr std::string_view kNotAFileEnd = "\" не является обычным файлом, запись невозможна"_cp;

// Copies the open source into the output; 0 or the errno of a failed read.
int CopyContents(int in, OutputFile& out) {
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    if (!out.Write(std::string_view(buffer.data(), static_cast<std::size_t>(n)))) return out.ErrorCode();
  }
}

std::string FileName(const std::filesystem::path& file) { return Utf8ToCp1251(file.string()); }

void Report(Messages& messages, std::string_view what, const std::filesystem::path& file, int code) {
  messages.Show(MessageKind::Error,
                std::string(what) + FileName(file) + std::string(" - код ошибки: "_cp) + std::to_string(code));
}

}  // namespace

bool CopyOverFile(const std::filesystem::path& destination, const std::filesystem::path& source, Messages& messages,
                  SameFileCopy sameFile, OutputTargets targets) {
  if (sameFile == SameFileCopy::Succeeds && IsSameFile(destination, source)) return true;

  const InputFile in(source);
  if (!in.IsOpen()) {
    Report(messages, kCopyFailed, source, in.Error());
    return false;
  }
  OutputFile out;
  if (!out.Open(destination, {source}, targets)) {
    if (out.Failure() == OutputFailure::SameAsInput)
      messages.Show(MessageKind::Error,
                    std::string(kSameFile) + FileName(destination) + std::string(kSameFileSource) + FileName(source));
    else if (out.Failure() == OutputFailure::NotAFile)
      messages.Show(MessageKind::Error, std::string(kNotAFile) + FileName(destination) + std::string(kNotAFileEnd));
    else
      Report(messages, kCopyFailed, source, out.ErrorCode());
    return false;
  }
  if (const int readError = CopyContents(in.Descriptor(), out); readError != 0 || !out.Commit()) {
    out.Discard();
    const bool replaceFailed = out.Failure() == OutputFailure::Replace;
    Report(messages, replaceFailed ? kDeleteFailed : kCopyFailed, replaceFailed ? destination : source,
           readError != 0 ? readError : out.ErrorCode());
    return false;
  }
  return true;
}

bool CopyOverFile(const std::filesystem::path& destination, const std::filesystem::path& source, Messages& messages,
                  SameFileCopy sameFile) {
  const OutputTargets targets =
      sameFile == SameFileCopy::Refused ? OutputTargets::FilesOnly : OutputTargets::FilesAndDevices;
  return CopyOverFile(destination, source, messages, sameFile, targets);
}

}  // namespace zt
