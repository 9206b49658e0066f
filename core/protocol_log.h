// The protocol log: two lines per piece of serial traffic. Decoders and the
// link write through this interface; the main window, the tool and tests read it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zt {

enum class Direction { Received = 1, Sent = 2 };

class ProtocolLog {
 public:
  virtual ~ProtocolLog() = default;
  // Always written.
  virtual void LogFrame(Direction direction, std::string_view bytes) = 0;
  // Written only while the debug switch is on.
  virtual void LogTraffic(Direction direction, std::string_view bytes) = 0;
};

// The two lines of LogFrame, Windows-1251.
std::vector<std::string> FrameLogLines(Direction direction, std::string_view bytes);

// Keeps the lines in memory; the debug switch gates LogTraffic.
class MemoryProtocolLog final : public ProtocolLog {
 public:
  explicit MemoryProtocolLog(bool debug = false) : debug_(debug) {}
  void SetDebug(bool on) { debug_ = on; }
  void LogFrame(Direction direction, std::string_view bytes) override;
  void LogTraffic(Direction direction, std::string_view bytes) override;
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }

 private:
  bool debug_;
  std::vector<std::string> lines_;
};

// Discards everything (the command-line tool, benchmarks).
class NullProtocolLog final : public ProtocolLog {
 public:
  void LogFrame(Direction, std::string_view) override {}
  void LogTraffic(Direction, std::string_view) override {}
};

}  // namespace zt
