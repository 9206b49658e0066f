// The main window: the recorder's header, both archive tables with their
// navigation, the menus of every action on data, the activity indicators and
// the protocol log. It presents; the header texts and the cells are written
// by the decoders while the load window runs.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStringList>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/shell/table_navigation.h"
#include "app/windows/app_context.h"
#include "app/windows/archive_table_model.h"
#include "app/windows/window_dispatcher.h"
#include "link/link_protocol.h"

namespace zt::app {

class TfZetl final : public QDialog, public link::LinkActivity {
  Q_OBJECT

 public:
  TfZetl(AppContext& context, WindowDispatcher& dispatcher, QWidget* parent = nullptr);
  ~TfZetl() override;

  // ShowMainWindow's preparation, before the modal showing.
  void PrepareForShow(bool withIdentification);
  void ResetArchiveTables();
  // Empty name: the image file.
  void LoadIntoMainWindow(const std::filesystem::path& fileName);
  void ShowReadWriteMenus(bool visible);
  // The header labels from the header field array.
  void ShowHeader();
  // Table rows first..last (1-based) of the time (true) or operational archive were rewritten.
  void ArchiveRowsChanged(ArchiveKind archive, std::size_t first, std::size_t last);
  // The current table row (1..N-1) of the archive.
  std::size_t CurrentRow(ArchiveKind kind) const;
  void SelectRow(ArchiveKind kind, std::size_t row);
  // The deferred writing after the parameter editor's "ДА".
  void StartWriteDeferred() { tStartWrData.start(); }

  // The protocol's activity indicators.
  void SendStep() override;
  void ReceiveStep() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The views after the tables were reset.
  void TablesReset();
  void BuildHeader();
  QWidget* BuildArchivePanel();
  void BuildMenus();
  QTableView* BuildTable(ArchiveTableModel* model, const std::vector<int>& widths, const char* name);
  QTableView* View(ArchiveKind kind) const;
  // The archive of the notebook's current page; none for another page.
  std::optional<ArchiveKind> CurrentKind() const;
  std::size_t RowCount(ArchiveKind kind) const;
  void Navigate(const std::function<std::size_t(std::size_t rows, std::size_t row)>& move);
  void Step(shell::RowStep step);
  void PressRepeat(shell::RepeatButton button);
  std::unique_ptr<QFileDialog> ZtFileDialog(const QString& title, const char* name, QFileDialog::AcceptMode mode);
  static std::optional<std::filesystem::path> ChosenFile(QFileDialog& dialog);
  void AppendLogLine(const std::string& line);
  void FlushLog();
  void QueueActivity();
  void ShowActivity();

  // Handlers.
  void bFirstClick();
  void bLastClick();
  void bNextClick();
  void bPrevClick();
  void bCurrClick();
  void bNextMouseDown();
  void bPrevMouseDown();
  void bNavMouseUp();
  void tKlav_PNTimer();
  void tCurDateTTimer();
  void tStarRdDataTimer();
  void tStartWrDataTimer();
  void rdFileClick();
  void SaveFileClick();
  void mZT_ReadClick();
  void mZT_WriteClick();
  void mZT_ReportClick();
  void mZT_HelpClick();
  void mZT_EscClick();
  void sbEraseWinClick();
  void ChDebZTClick();
  void sg_CurArcMouseUp();

  AppContext& ctx_;
  WindowDispatcher& dispatcher_;
  ArchiveTableModel timeModel_;
  ArchiveTableModel operModel_;

  QMenuBar* MainMenu1 = nullptr;
  QAction* mZT_Read = nullptr;
  QAction* mZT_Write = nullptr;
  std::array<QLabel*, kHeaderFieldCount> headerValues_{};
  QLabel* stSerNum_ZT = nullptr;
  QLabel* stVers_ZT = nullptr;
  QLabel* stDateTime = nullptr;
  QProgressBar* prWr = nullptr;
  QProgressBar* prRd = nullptr;
  QPushButton* sbEraseWin = nullptr;
  QCheckBox* ChDebZT = nullptr;
  QWidget* pDebug = nullptr;
  QPlainTextEdit* mDeb = nullptr;
  QWidget* panProgP = nullptr;
  QToolButton* bFirst = nullptr;
  QToolButton* bLast = nullptr;
  QToolButton* bNext = nullptr;
  QToolButton* bPrev = nullptr;
  QToolButton* bCurr = nullptr;
  QTabWidget* TN_SelectArc = nullptr;
  QTableView* sg_DateArc = nullptr;
  QTableView* sg_CurArc = nullptr;
  QTimer tKlav_PN;
  QTimer tCurDateT;
  QTimer tStarRdData;
  QTimer tStartWrData;
  QTimer tLogFlush;
  QStringList pendingLog_;
  shell::AutoRepeat autoRepeat_;
  // Activity steps not yet shown.
  int sendSteps_ = 0;
  int receiveSteps_ = 0;
  bool activityQueued_ = false;
};

}  // namespace zt::app
