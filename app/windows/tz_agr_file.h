// The file-load window: a device-data file into the main window's header and
// tables, one block per 5 ms tick, with a gauge, "Стоп" and the load's message.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/windows/app_context.h"
#include "core/file_load.h"

namespace zt::app {

class TfZetl;

class TZagrFile final : public QDialog {
  Q_OBJECT

 public:
  TZagrFile(AppContext& context, TfZetl& mainWindow, QWidget* parent = nullptr);

  const FileLoad& Load() const { return load_; }

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Timer_InitTimer();
  void tStepRdFileTimer();
  void bStopClick();
  // Shows what the last step decoded, then ends the window once the load is over.
  void ShowStep();

  AppContext& ctx_;
  TfZetl& main_;
  FileLoad load_;
  QLabel* lNameFile = nullptr;
  QProgressBar* gFile_ZT = nullptr;
  QPushButton* bStop = nullptr;
  QTimer Timer_Init;
  QTimer tStepRdFile;
};

}  // namespace zt::app
