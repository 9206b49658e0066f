#include "tests/link/fake_channel.h"

namespace zt::link::fake {

void FakeSerialChannel::SetOpenFails(const std::string& port, bool fails) {
  if (fails)
    openFails_.insert(port);
  else
    openFails_.erase(port);
}

void FakeSerialChannel::SetDeviceName(std::string name) {
  if (!open_) name_ = std::move(name);
}

bool FakeSerialChannel::Open() {
  if (open_ || openFails_.count(name_) != 0) return false;
  open_ = true;
  ++opens_;
  return true;
}

void FakeSerialChannel::Close() {
  if (!open_) return;
  open_ = false;
  ++closes_;
  // What the device sends to a closed port is lost.
  queued_.clear();
  input_.clear();
}

bool FakeSerialChannel::SendString(std::string_view bytes) {
  if (!open_ || writesFail_) return false;
  writes_.push_back({name_, std::string(bytes)});
  const auto device = devices_.find(name_);
  if (device != devices_.end() && device->second)
    for (auto& delivery : device->second(bytes)) queued_.push_back(std::move(delivery));
  return true;
}

std::string FakeSerialChannel::ReadString() {
  std::string out;
  out.swap(input_);
  return out;
}

void FakeSerialChannel::Deliver(std::string_view bytes) {
  if (!open_) return;
  input_.append(bytes);
  if (onData_) onData_(input_.size());
}

void FakeSerialChannel::RaiseEmptyEvent() {
  if (open_ && onData_) onData_(input_.size());
}

std::size_t FakeSerialChannel::Pump(std::size_t limit) {
  std::size_t handed = 0;
  while (handed < limit && !queued_.empty()) {
    const std::string delivery = std::move(queued_.front());
    queued_.pop_front();
    Deliver(delivery);
    ++handed;
  }
  return handed;
}

void FakePortProbe::SetPresent(const std::string& port, bool present) {
  if (present)
    present_.insert(port);
  else
    present_.erase(port);
}

bool FakePortProbe::PortPresent(const std::string& name) {
  probed_.push_back(name);
  return present_.count(name) != 0;
}

}  // namespace zt::link::fake
