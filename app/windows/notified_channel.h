// The serial channel as the windows use it: the terminal channel, with its
// descriptor watched by a QSocketNotifier on the user-interface thread, so the
// data event is raised there between timer ticks. The notifier follows the
// descriptor across every open, close and vanishing port.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "link/tty_serial_channel.h"

namespace zt::app {

class NotifiedChannel final : public QObject, public link::SerialChannel {
  Q_OBJECT

 public:
  explicit NotifiedChannel(const link::ComPortNames& names, QObject* parent = nullptr);
  ~NotifiedChannel() override;

  void SetDeviceName(std::string name) override { tty_.SetDeviceName(std::move(name)); }
  const std::string& DeviceName() const override { return tty_.DeviceName(); }
  void SetBaudRate(int baud) override { tty_.SetBaudRate(baud); }

  bool Open() override;
  void Close() override;
  bool IsOpen() const override { return tty_.IsOpen(); }

  void SetDtr(bool on) override { tty_.SetDtr(on); }
  void SetRts(bool on) override { tty_.SetRts(on); }
  bool SendString(std::string_view bytes) override { return tty_.SendString(bytes); }
  std::string ReadString() override { return tty_.ReadString(); }
  std::size_t InputCount() override { return tty_.InputCount(); }
  void SetOnData(std::function<void(std::size_t)> handler) override { tty_.SetOnData(std::move(handler)); }

 private:
  void Rewatch();
  void DropNotifier();
  void OnActivated();

  link::TtySerialChannel tty_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace zt::app
