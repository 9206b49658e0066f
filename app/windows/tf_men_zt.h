// The start window: the application's main window (the program ends when it
// closes). It runs the start-up initialisation, holds the window dispatcher
// and opens the main window once the device search has closed.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "app/windows/app_context.h"
#include "app/windows/window_dispatcher.h"

namespace zt::app {

class TfZetl;
class TInRS232;

class TfMen_ZT final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TfMen_ZT(AppContext& context, QWidget* parent = nullptr);
  ~TfMen_ZT() override;

  WindowDispatcher& Dispatcher() { return dispatcher_; }
  TfZetl& MainWindow() { return *fZetl_; }

  // Prepares the main window and shows it modally.
  void ShowMainWindow(bool withIdentification);
  // The deferred opening of the main window after the search window closed.
  void StartMainWindowDeferred() { tStartProgr.start(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RegisterWindows();
  // The outer size and the place, once the window manager has framed the window.
  void FitFrame();
  void FillOperators();

  void tInit_ZTTimer();
  void tStartProgrTimer();
  void fMen_WorkClick();
  void fMen_RSClick();
  void N1Click();
  void fMen_HelpClick();
  void fMen_EscClick();

  AppContext& ctx_;
  WindowDispatcher dispatcher_;
  std::unique_ptr<TInRS232> InRS232_;
  std::unique_ptr<TfZetl> fZetl_;
  QComboBox* ComboBox_Oper = nullptr;
  QLabel* operatorCaption_ = nullptr;
  QTimer tInit_ZT;
  QTimer tStartProgr;
  bool framed_ = false;
};

}  // namespace zt::app
