// The device search window: drives the search every 50 ms and shows its
// progress, its trace and, when nothing answered, "РЕГИСТРАТОР НЕ НАЙДЕН!!!"
// with "Повторить".
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "app/windows/app_context.h"
#include "link/device_search.h"

namespace zt::app {

class TfZetl;

class TfSel_RS final : public QDialog {
  Q_OBJECT

 public:
  TfSel_RS(AppContext& context, TfZetl& mainWindow, QWidget* parent = nullptr);
  ~TfSel_RS() override;

  const link::DeviceSearch& Search() const { return search_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void tStartTimer();
  void tSearchTick();
  void BitBtn_RepetClick();
  void BitBtn_NoClick();
  void ShowState();
  void StopSearch();

  AppContext& ctx_;
  TfZetl& main_;
  link::DeviceSearch search_;
  QLabel* Label1 = nullptr;
  QLabel* lError = nullptr;
  QLabel* Error = nullptr;
  QProgressBar* pBar_COM = nullptr;
  QListWidget* mDebSel = nullptr;
  QPushButton* BitBtn_Repet = nullptr;
  QPushButton* BitBtn_No = nullptr;
  QTimer tStart;
  QTimer tSearch;
  std::size_t traceShown_ = 0;
};

}  // namespace zt::app
