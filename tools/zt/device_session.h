// One conversation with the recorder from a terminal: the serial channel, the
// protocol and the runs of the windowed program, each driven to its end by
// the poll() host loop. The zt search, read and write commands are made of it.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/messages.h"
#include "core/protocol_log.h"
#include "core/working_files.h"
#include "link/com_port_names.h"
#include "link/device_search.h"
#include "link/link_protocol.h"
#include "link/password_step.h"
#include "link/poll_host.h"
#include "link/reading_run.h"
#include "link/tty_serial_channel.h"
#include "link/writing_run.h"
#include "tools/zt/write_outcome.h"

namespace zt::cli {

// The recorder's three texts as the last complete reading left them.
struct RecorderTexts {
  std::string enterprise;  // Windows-1251; kDitto when the field did not check
  std::string branch;
  std::string meter;
};

// The texts the operator gave; nothing means "keep the recorder's".
struct GivenTexts {
  std::optional<std::string> enterprise;  // Windows-1251
  std::optional<std::string> branch;
  std::optional<std::string> meter;
  bool All() const { return enterprise && branch && meter; }
};

// The texts of a parameter block (256 bytes); false when its checksum is wrong.
bool ParameterBlockTexts(std::string_view block, RecorderTexts& texts);

// The texts to write: the given ones, the recorder's for the rest. False when
// a text to keep did not check (it would go back as the ditto mark); missing
// then names its option.
bool CompleteTexts(const GivenTexts& given, const RecorderTexts& current, link::WriteParameters& out,
                   std::string& missing);

class DeviceSession {
 public:
  // notes: the operator's hints and the search trace (UTF-8).
  DeviceSession(WorkingFiles files, std::vector<std::string> systemPorts, Messages& messages,
                link::PollWaiter& waiter, const link::MonotonicClock& clock, std::ostream& notes);

  // Checked between ticks; true behaves as Esc on the run in progress.
  void SetInterrupted(std::function<bool()> interrupted) { interrupted_ = std::move(interrupted); }

  // Called while a run goes on with a line that counts its work ("reading: 128 of 512 pages"),
  // and with an empty text when the line is to be cleared (a note follows, the run ended).
  void SetProgress(std::function<void(const std::string& text)> progress) { progress_ = std::move(progress); }

  // The search over COM1 .. COM(limit - 1), the remembered port first.
  link::SearchCode Search(std::optional<std::uint8_t> scanLimit);
  // The COM number found by the last Search().
  std::uint8_t FoundPort() const { return foundPort_; }

  // The port for Password(): COMn (com3 as well) or a device path, at the given rate.
  void UsePort(const std::string& port, int baud);
  // Opens the port and runs the password step; the port stays open when accepted.
  link::PasswordCode Password(link::OperationMode mode, const std::string& entry);
  // The reading run after an accepted reading password; closes the port.
  link::ReadCode Read();
  // Only the parameter block, into block, after an accepted reading password;
  // the image file is left alone. Closes the port.
  link::ReadCode ReadParameterBlock(std::string& block);
  // The writing run after an accepted writing password; closes the port.
  WriteOutcome Write(const link::WriteParameters& parameters);

  const WorkingFiles& Files() const { return files_; }
  const link::ComPortNames& Names() const { return names_; }
  link::TtySerialChannel& Channel() { return channel_; }

 private:
  // Drives tick() at the interval until done(); Esc-like on interruption.
  void Drive(int intervalMs, const std::function<void()>& tick, const std::function<bool()>& done,
             const std::function<void()>& onInterrupt);
  // A short pause with the loop running, as the windows' 100 ms first tick.
  void Pause(int ms);
  template <class Run>
  void DriveRun(Run& run, int tickMs, const std::function<void()>& afterTick = {});
  // Tells the progress callback, if any, how far the run is.
  void Progress(std::string_view what, int done, int total, std::string_view unit);
  // Where notes go, the progress line cleared first.
  std::ostream& Notes();
  void NoteOpenFailure();
  void NoteLatency();
  void NoteNewTrace(const link::DeviceSearch& search, std::size_t& shown);

  WorkingFiles files_;
  link::ComPortNames names_;
  Messages& messages_;
  std::ostream& notes_;
  link::TtySerialChannel channel_;
  link::TtyPortProbe probe_;
  NullProtocolLog log_;
  SystemClock clock_;
  link::LinkProtocol protocol_;
  link::PollHost host_;
  std::function<bool()> interrupted_;
  std::function<void(const std::string&)> progress_;
  std::string lastPasswordText_;
  std::uint8_t foundPort_ = 0;
  std::string lastNote_;
};

}  // namespace zt::cli
