// The simulated recorder's end of a pseudo-terminal: the master side it
// reads and writes, and the slave device the program under test opens as its
// serial port. The slave is opened here only to make it raw: held open it
// would keep a client's exclusive mark past the client's close, and a
// reopen would be refused. While no client holds it the master reports a
// hang-up, which the server waits out.
#pragma once

#include <filesystem>
#include <string>

namespace zt::sim {

class PtyPort {
 public:
  PtyPort() = default;
  ~PtyPort() { Close(); }
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  // Opens the pair, raw; false with ErrorText() when the system refuses.
  bool Open();
  // Closes both sides: the slave device disappears and the link, if any, is removed.
  void Close();
  bool IsOpen() const { return master_ >= 0; }

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }
  // A symbolic link to the slave device (replacing an older link there).
  bool MakeLink(const std::filesystem::path& link);
  const std::string& ErrorText() const { return error_; }

 private:
  bool Fail(const std::string& what);

  int master_ = -1;
  std::string slavePath_;
  std::filesystem::path link_;
  std::string error_;
};

}  // namespace zt::sim
