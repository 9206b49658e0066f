// The serial channel on a POSIX terminal device (a real port, a USB adapter
// or a pseudo-terminal), and the port probe that goes with it.
//
// There is no event thread: the channel exposes the descriptor to wait on and
// the host's own loop (PollHost, or a QSocketNotifier in the windowed
// program) calls OnReadable() when it is readable; OnReadable() raises OnData
// there, on the host's thread, so the protocol needs no lock.
//
//   ComPortNames names(files, SystemSerialPorts());
//   TtySerialChannel channel(names);
//   TtyPortProbe probe(names);
//   channel.SetBaudRate(kLinkBaudRate);
//   channel.SetDeviceName("COM3");           // or "/dev/ttyUSB0"
//   if (!channel.Open()) ... channel.LastOpenFailure() says why
//   // wait for EventFd() to be readable, then channel.OnReadable()
//
// Line: raw 8-N-1 at the set rate, receiver on, modem lines ignored, no
// hardware or software flow control; DTR and RTS only by SetDtr/SetRts.
// Exclusive: the device is locked with flock(LOCK_EX | LOCK_NB), which holds
// between programs and for root too, and also marked TIOCEXCL, which keeps
// out programs that do not take the lock (root ignores that one).
//
// A port that vanishes (unplugged adapter, closed pseudo-terminal master)
// stops the data events at once: EventFd() turns -1 so no loop spins on a
// hung-up descriptor, and OnVanished is called once. The port stays open
// until Close(); the protocol finds it absent before its next send.
//
// Close() may be called at any time, from inside the OnData handler too; no
// event is raised for the port after it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link/com_port_names.h"
#include "link/serial_channel.h"

namespace zt::link {

inline constexpr int kSendTimeoutMs = 500;

enum class OpenFailure : std::uint8_t {
  None,
  AlreadyOpen,       // Open() while open; the port stays open
  NoDevice,          // "COMn" with no device behind it
  NotFound,          // the device does not exist
  PermissionDenied,  // not allowed to open it (not in the dialout group)
  Busy,              // held by another program (or by this one)
  NotATerminal,      // it is not a serial port
  SettingsRefused,   // the line settings or the rate could not be applied
};

// The descriptor a host waits on and the call it makes when it is readable.
class ReadableSource {
 public:
  virtual ~ReadableSource() = default;
  // -1 when there is nothing to wait for (closed, or vanished).
  virtual int EventFd() const = 0;
  virtual void OnReadable() = 0;
};

class TtySerialChannel final : public SerialChannel, public ReadableSource {
 public:
  explicit TtySerialChannel(const ComPortNames& names) : names_(names) {}
  ~TtySerialChannel() override;
  TtySerialChannel(const TtySerialChannel&) = delete;
  TtySerialChannel& operator=(const TtySerialChannel&) = delete;

  void SetDeviceName(std::string name) override;
  const std::string& DeviceName() const override { return name_; }
  void SetBaudRate(int baud) override;
  int BaudRate() const { return baud_; }

  bool Open() override;
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }

  void SetDtr(bool on) override;
  void SetRts(bool on) override;
  bool SendString(std::string_view bytes) override;
  std::string ReadString() override;
  std::size_t InputCount() override;
  // Bytes written but not yet sent by the driver.
  std::size_t OutputCount();
  // Drops whatever waits in both directions.
  void Purge();

  void SetOnData(std::function<void(std::size_t)> handler) override { onData_ = std::move(handler); }
  void SetOnVanished(std::function<void()> handler) { onVanished_ = std::move(handler); }

  int EventFd() const override { return vanished_ ? -1 : fd_; }
  // Raises OnData when bytes wait; notices a hang-up.
  void OnReadable() override;
  // OnReadable() when the descriptor is ready now, for hosts that do not wait.
  void ServiceEvents();

  bool Vanished() const { return vanished_; }
  OpenFailure LastOpenFailure() const { return lastFailure_; }
  // The path the last Open() tried.
  const std::string& DevicePath() const { return path_; }
  // Whether the driver took the low-latency request on the last open.
  bool LowLatency() const { return lowLatency_; }

 private:
  bool Fail(OpenFailure failure);
  bool ApplyLineSettings();
  void RequestLowLatency();
  void SetModemLine(int line, bool on);
  void MarkVanished();

  const ComPortNames& names_;
  std::string name_ = "COM2";
  std::string path_;
  int baud_ = 9600;
  int fd_ = -1;
  bool vanished_ = false;
  bool lowLatency_ = false;
  OpenFailure lastFailure_ = OpenFailure::None;
  // Counts opens, so a handler that closed (or reopened) the port is noticed.
  std::uint64_t session_ = 0;
  std::function<void(std::size_t)> onData_;
  std::function<void()> onVanished_;
};

// Present when the device opens or is held (busy, locked, or not ours to
// open); absent when it does not exist, has hung up or is no terminal.
class TtyPortProbe final : public PortProbe {
 public:
  explicit TtyPortProbe(const ComPortNames& names) : names_(names) {}
  bool PortPresent(const std::string& name) override;

 private:
  const ComPortNames& names_;
};

// The termios speed for a rate in bits per second; 0 when the system has none.
unsigned TermiosSpeed(int baud);

}  // namespace zt::link
