// What a reader may find where it expects a regular file, made on demand, and
// a guard that ends a test blocked on one instead of letting it hang.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace zt::test {

enum class OddFile {
  Folder,
  Fifo,          // no writer: a blocking open would wait for ever
  DanglingLink,  // a link to a name that is not there
  Unreadable,    // mode 000
  BinaryJunk,    // a regular file of the bytes 0x00 to 0xFF in order
};

// Every kind this process can make: Unreadable only when not running as root,
// as root reads a file of mode 000 all the same.
std::vector<OddFile> OddFileKinds();
std::string OddFileName(OddFile kind);
// The kind's name in a test's parameter line.
inline void PrintTo(OddFile kind, std::ostream* out) { *out << OddFileName(kind); }

// Puts one at path, replacing what is there; gives the path.
std::filesystem::path MakeOddFile(OddFile kind, const std::filesystem::path& path);
// It is still there as made: a reader changed nothing.
bool OddFileKept(OddFile kind, const std::filesystem::path& path);

// BinaryJunk's bytes, and its lines when read as text: 0x0A ends the first.
std::string AllByteValues();
std::vector<std::string> AllByteValueLines();

// Kills the process with SIGALRM when it is still alive after the given
// time: a reader that blocks fails its test.
class HangGuard {
 public:
  explicit HangGuard(unsigned seconds = 20);
  ~HangGuard();
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;
};

}  // namespace zt::test
