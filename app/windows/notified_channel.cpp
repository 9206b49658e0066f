#include "app/windows/notified_channel.h"

namespace zt::app {

NotifiedChannel::NotifiedChannel(const link::ComPortNames& names, QObject* parent) : QObject(parent), tty_(names) {}

NotifiedChannel::~NotifiedChannel() { notifier_.reset(); }

void NotifiedChannel::DropNotifier() {
  if (!notifier_) return;
  // Possibly inside the notifier's own signal: disable now, delete later.
  notifier_->setEnabled(false);
  notifier_.release()->deleteLater();
}

bool NotifiedChannel::Open() {
  const bool opened = tty_.Open();
  Rewatch();
  return opened;
}

void NotifiedChannel::Close() {
  // The notifier goes first: it must never watch a descriptor number that a
  // later open may reuse.
  DropNotifier();
  tty_.Close();
}

void NotifiedChannel::Rewatch() {
  const int fd = tty_.EventFd();
  if (notifier_ && notifier_->socket() == fd) return;
  DropNotifier();
  if (fd < 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &NotifiedChannel::OnActivated);
}

void NotifiedChannel::OnActivated() {
  tty_.OnReadable();
  // The handler may have closed or reopened the port, or it may have hung up.
  Rewatch();
}

}  // namespace zt::app
