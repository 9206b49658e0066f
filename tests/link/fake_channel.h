// An in-memory serial line for tests: ports by name with a scripted device
// behind each, every written frame kept, replies handed over when the test
// pumps them (as the channel's event thread would), vanishing ports and
// ports that refuse to open.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "link/serial_channel.h"

namespace zt::link::fake {

// Answers one written frame with the deliveries the device sends back.
using Responder = std::function<std::vector<std::string>(std::string_view frame)>;

struct Written {
  std::string port;
  std::string bytes;
};

class FakeSerialChannel final : public SerialChannel {
 public:
  void Attach(const std::string& port, Responder responder) { devices_[port] = std::move(responder); }
  void Detach(const std::string& port) { devices_.erase(port); }
  void SetOpenFails(const std::string& port, bool fails);
  // Every SendString from now on writes nothing and answers false.
  void SetWritesFail(bool fail) { writesFail_ = fail; }

  void SetDeviceName(std::string name) override;
  const std::string& DeviceName() const override { return name_; }
  void SetBaudRate(int baud) override { baud_ = baud; }
  bool Open() override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  void SetDtr(bool on) override { dtr_ = on; }
  void SetRts(bool on) override { rts_ = on; }
  bool SendString(std::string_view bytes) override;
  std::string ReadString() override;
  std::size_t InputCount() override { return input_.size(); }
  void SetOnData(std::function<void(std::size_t)> handler) override { onData_ = std::move(handler); }

  // Bytes arrive now: one data event (nothing happens while closed).
  void Deliver(std::string_view bytes);
  // A data event with nothing waiting.
  void RaiseEmptyEvent();
  // Hands the devices' queued replies over, one delivery each, including the
  // replies to frames sent meanwhile; at most `limit`. Returns how many.
  std::size_t Pump(std::size_t limit = static_cast<std::size_t>(-1));
  std::size_t Queued() const { return queued_.size(); }

  const std::vector<Written>& Writes() const { return writes_; }
  void ClearWrites() { writes_.clear(); }
  int Opens() const { return opens_; }
  int Closes() const { return closes_; }
  int BaudRate() const { return baud_; }
  bool Dtr() const { return dtr_; }
  bool Rts() const { return rts_; }

 private:
  std::map<std::string, Responder> devices_;
  std::set<std::string> openFails_;
  std::string name_ = "COM2";
  int baud_ = 9600;
  bool open_ = false;
  bool dtr_ = true;
  bool rts_ = false;
  bool writesFail_ = false;
  int opens_ = 0;
  int closes_ = 0;
  std::string input_;
  std::deque<std::string> queued_;
  std::vector<Written> writes_;
  std::function<void(std::size_t)> onData_;
};

class FakePortProbe final : public PortProbe {
 public:
  void SetPresent(const std::string& port, bool present);
  bool PortPresent(const std::string& name) override;
  const std::vector<std::string>& Probed() const { return probed_; }

 private:
  std::set<std::string> present_;
  std::vector<std::string> probed_;
};

}  // namespace zt::link::fake
