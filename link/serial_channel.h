// The one serial channel through which the protocol talks to the recorder.
// The protocol and the runs see only this interface; tests put a fake behind it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace zt::link {

class SerialChannel {
 public:
  virtual ~SerialChannel() = default;

  // "COMn" or a device path; ignored while open.
  virtual void SetDeviceName(std::string name) = 0;
  virtual const std::string& DeviceName() const = 0;
  // Bits per second; re-applied at once while open.
  virtual void SetBaudRate(int baud) = 0;

  // False (and closed) when the device is missing, busy or refuses the settings.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  virtual void SetDtr(bool on) = 0;
  virtual void SetRts(bool on) = 0;
  // True only when every byte was written.
  virtual bool SendString(std::string_view bytes) = 0;
  // Everything waiting now, possibly nothing; never blocks.
  virtual std::string ReadString() = 0;
  virtual std::size_t InputCount() = 0;

  // Raised on the user-interface thread when bytes have arrived (argument: bytes waiting).
  virtual void SetOnData(std::function<void(std::size_t)> handler) = 0;
};

// Whether a port exists: present when it opens or is held (by us or anyone), absent when gone.
class PortProbe {
 public:
  virtual ~PortProbe() = default;
  virtual bool PortPresent(const std::string& name) = 0;
};

}  // namespace zt::link
