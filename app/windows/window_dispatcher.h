// The one way to open a secondary window: each operation creates its window,
// shows it modally (windows opened from a modal window nest) and destroys it
// when the showing returns. Windows are made by factories registered per kind;
// a kind without one opens nothing. A window stands over the modal window in
// front, the start window when there is none: a window manager stacks a window
// over the one it belongs to and raises that one with it.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "core/archive_kind.h"

namespace zt::app {

enum class WindowKind : std::size_t {
  RecordDetail,
  Write,
  Password,
  OperatorEditor,
  Load,
  Search,
  Read,
  PrintWait,
  ParameterEditor,
  About,
  Report,
  Count
};

class WindowDispatcher {
 public:
  using Factory = std::function<std::unique_ptr<QDialog>(QWidget* owner)>;

  explicit WindowDispatcher(QWidget* owner = nullptr) : owner_(owner) {}
  void SetOwner(QWidget* owner) { owner_ = owner; }
  void Register(WindowKind kind, Factory factory);

  void OpenRecordDetail(ArchiveKind selector);
  void OpenWriteWindow() { Open(WindowKind::Write); }
  void OpenPasswordWindow() { Open(WindowKind::Password); }
  void OpenOperatorEditor() { Open(WindowKind::OperatorEditor); }
  void OpenLoadWindow() { Open(WindowKind::Load); }
  void OpenSearchWindow() { Open(WindowKind::Search); }
  void OpenReadWindow() { Open(WindowKind::Read); }
  void OpenPrintWaitWindow() { Open(WindowKind::PrintWait); }
  void OpenParameterEditor() { Open(WindowKind::ParameterEditor); }
  void OpenAboutWindow() { Open(WindowKind::About); }
  void OpenReportWindow() { Open(WindowKind::Report); }

  ArchiveKind RecordDetailSelector() const { return recordDetailSelector_; }
  // The window of the kind while it is shown, else null.
  QDialog* Shown(WindowKind kind) const { return shown_[Index(kind)]; }

 private:
  static std::size_t Index(WindowKind kind) { return static_cast<std::size_t>(kind); }
  void Open(WindowKind kind);

  QWidget* owner_;
  std::array<Factory, static_cast<std::size_t>(WindowKind::Count)> factories_;
  std::array<QPointer<QDialog>, static_cast<std::size_t>(WindowKind::Count)> shown_;
  ArchiveKind recordDetailSelector_ = ArchiveKind::Operational;
};

}  // namespace zt::app
