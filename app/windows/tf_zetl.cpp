#include "app/windows/tf_zetl.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>
#include <utility>

#include "app/shell/main_commands.h"
#include "app/shell/save_command.h"
#include "app/shell/table_navigation.h"
#include "app/windows/clock_under_caption.h"
#include "app/windows/file_dialog_look.h"
#include "app/windows/text_codec.h"
#include "core/conversions.h"
#include "core/cp1251.h"

namespace zt::app {

namespace {

const QString kTitle = QStringLiteral("\"Регистратор магнитного поля\" ");
const QString kZtFilter = QStringLiteral("Файл в формате (*.zt)");
constexpr int kRowHeight = 20;

QFont HeaderFont(bool bold = false) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(9);
  font.setBold(bold);
  return font;
}

QLabel* Caption(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setFont(HeaderFont());
  label->setAccessibleName(text);
  return label;
}

QProgressBar* ActivityBar(const char* name, QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setAccessibleName(QString::fromLatin1(name));
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);
  bar->setFixedSize(80, 10);
  return bar;
}

void AdvanceActivity(QProgressBar* bar, int steps) {
  int value = bar->value();
  for (int i = 0; i < steps; ++i) value = value + 10 > bar->maximum() ? 0 : value + 10;
  bar->setValue(value);
}

}  // namespace

TfZetl::TfZetl(AppContext& context, WindowDispatcher& dispatcher, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ctx_(context),
      dispatcher_(dispatcher),
      timeModel_(context.tables.time),
      operModel_(context.tables.operational) {
  setObjectName(QStringLiteral("fZetl"));
  setWindowTitle(kTitle);
  setAccessibleName(kTitle);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  BuildMenus();
  layout->setMenuBar(MainMenu1);
  BuildHeader();
  auto* sZT = new QSplitter(Qt::Vertical, this);
  sZT->setObjectName(QStringLiteral("sZT"));
  sZT->setAccessibleName(QStringLiteral("sZT"));
  sZT->addWidget(panProgP);
  sZT->addWidget(BuildArchivePanel());
  sZT->setStretchFactor(1, 1);
  sZT->setChildrenCollapsible(false);
  layout->addWidget(sZT);

  tKlav_PN.setInterval(shell::AutoRepeat::kIntervalMs);
  connect(&tKlav_PN, &QTimer::timeout, this, &TfZetl::tKlav_PNTimer);
  tCurDateT.setInterval(1000);
  connect(&tCurDateT, &QTimer::timeout, this, &TfZetl::tCurDateTTimer);
  tCurDateT.start();
  for (QTimer* once : {&tStarRdData, &tStartWrData}) {
    once->setInterval(50);
    once->setSingleShot(true);
  }
  connect(&tStarRdData, &QTimer::timeout, this, &TfZetl::tStarRdDataTimer);
  connect(&tStartWrData, &QTimer::timeout, this, &TfZetl::tStartWrDataTimer);
  tLogFlush.setInterval(100);
  tLogFlush.setSingleShot(true);
  connect(&tLogFlush, &QTimer::timeout, this, &TfZetl::FlushLog);

  ctx_.log.SetSink([this](const std::string& line) { AppendLogLine(line); });
  ctx_.protocol.SetActivity(this);
  ShowReadWriteMenus(false);
  ResetArchiveTables();
  ShowHeader();
}

TfZetl::~TfZetl() {
  ctx_.protocol.SetActivity(nullptr);
  ctx_.log.SetSink({});
}

void TfZetl::BuildMenus() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  MainMenu1->setAccessibleName(QStringLiteral("MainMenu1"));
  auto add = [this](QMenuBar* bar, const QString& caption, const char* name, void (TfZetl::*handler)()) {
    QAction* action = bar->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  QMenu* file = MainMenu1->addMenu(QStringLiteral("ФАЙЛ"));
  file->setObjectName(QStringLiteral("mZT_File"));
  file->setAccessibleName(QStringLiteral("ФАЙЛ"));
  file->menuAction()->setObjectName(QStringLiteral("mZT_File"));
  QAction* open = file->addAction(QStringLiteral("ОТКРЫТЬ ФАЙЛ  *.zt"));
  open->setObjectName(QStringLiteral("rdFile"));
  connect(open, &QAction::triggered, this, &TfZetl::rdFileClick);
  QAction* save = file->addAction(QStringLiteral("СОХРАНИТЬ ФАЙЛ КАК  *.zt"));
  save->setObjectName(QStringLiteral("SaveFile"));
  connect(save, &QAction::triggered, this, &TfZetl::SaveFileClick);
  mZT_Read = add(MainMenu1, QStringLiteral("ЧТЕНИЕ"), "mZT_Read", &TfZetl::mZT_ReadClick);
  mZT_Write = add(MainMenu1, QStringLiteral("ЗАПИСЬ"), "mZT_Write", &TfZetl::mZT_WriteClick);
  add(MainMenu1, QStringLiteral("ОТЧЕТ"), "mZT_Report", &TfZetl::mZT_ReportClick);
  add(MainMenu1, QStringLiteral("О ПРОГРАММЕ"), "mZT_Help", &TfZetl::mZT_HelpClick);
  add(MainMenu1, QStringLiteral("ВЫХОД"), "mZT_Esc", &TfZetl::mZT_EscClick);
}

void TfZetl::BuildHeader() {
  panProgP = new QWidget(this);
  panProgP->setObjectName(QStringLiteral("panProgP"));
  panProgP->setAccessibleName(QStringLiteral("panProgP"));
  auto* outer = new QVBoxLayout(panProgP);
  auto* grid = new QGridLayout;
  outer->addLayout(grid);

  struct Field {
    HeaderField entry;
    const char* caption;
    const char* name;
    int row, column;
  };
  const Field fields[] = {
      {kHeaderSerial, "Серийный номер_____", "stSerNum_ZT", 0, 0},
      {kHeaderSensorCount, "Кол-во датчиков____", "stQuanSens", 1, 0},
      {kHeaderVersion, "Версия ПО_", "stVers_ZT", 2, 0},
      {kHeaderEnterprise, "Предприятие________", "stFactory", 0, 2},
      {kHeaderBranch, "Ветка трубопровода_", "stTube", 1, 2},
      {kHeaderMeter, "Счетчик_______", "stMeter", 2, 2},
      {kHeaderClock, "Дата/время____ ", "stDate", 3, 0},
  };
  for (const Field& f : fields) {
    grid->addWidget(Caption(QString::fromUtf8(f.caption), panProgP), f.row, f.column);
    auto* value = new QLabel(panProgP);
    value->setObjectName(QString::fromLatin1(f.name));
    value->setAccessibleName(QString::fromLatin1(f.name));
    value->setFont(HeaderFont());
    value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    value->setMinimumWidth(f.column == 0 ? 300 : 270);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // One line high, also in the row of the taller clock.
    grid->addWidget(value, f.row, f.column + 1, Qt::AlignVCenter);
    headerValues_[f.entry] = value;
  }
  stSerNum_ZT = headerValues_[kHeaderSerial];
  stVers_ZT = headerValues_[kHeaderVersion];
  grid->setColumnStretch(4, 1);

  // The PC clock and the two activity indicators, at the right of the date row.
  auto* clockBox = new QGridLayout;
  QLabel* clockCaption = Caption(QStringLiteral("          дата                  время"), panProgP);
  clockBox->addWidget(clockCaption, 0, 0);
  stDateTime = new QLabel(FromCp1251(kDitto), panProgP);
  stDateTime->setObjectName(QStringLiteral("stDateTime"));
  stDateTime->setAccessibleName(QStringLiteral("stDateTime"));
  stDateTime->setFont(HeaderFont(true));
  stDateTime->setStyleSheet(QStringLiteral("color: #800000;"));
  FitClockUnderCaption(*clockCaption, *stDateTime);
  clockBox->addWidget(stDateTime, 1, 0);
  prWr = ActivityBar("prWr", panProgP);
  prRd = ActivityBar("prRd", panProgP);
  clockBox->addWidget(Caption(QStringLiteral("запись"), panProgP), 0, 1);
  clockBox->addWidget(prWr, 1, 1);
  clockBox->addWidget(Caption(QStringLiteral("чтение"), panProgP), 0, 2);
  clockBox->addWidget(prRd, 1, 2);
  grid->addLayout(clockBox, 3, 2, 1, 3);

  // The debug switch, the erase button and the log: hidden until asked for.
  auto* debugRow = new QHBoxLayout;
  ChDebZT = new QCheckBox(QStringLiteral("Отладка"), panProgP);
  ChDebZT->setObjectName(QStringLiteral("ChDebZT"));
  ChDebZT->setAccessibleName(QStringLiteral("ChDebZT"));
  ChDebZT->hide();
  connect(ChDebZT, &QCheckBox::clicked, this, &TfZetl::ChDebZTClick);
  sbEraseWin = new QPushButton(QStringLiteral("Стереть"), panProgP);
  sbEraseWin->setObjectName(QStringLiteral("sbEraseWin"));
  sbEraseWin->setAccessibleName(QStringLiteral("Стереть"));
  sbEraseWin->hide();
  connect(sbEraseWin, &QPushButton::clicked, this, &TfZetl::sbEraseWinClick);
  debugRow->addWidget(ChDebZT);
  debugRow->addWidget(sbEraseWin);
  debugRow->addStretch();
  outer->addLayout(debugRow);
  pDebug = new QWidget(panProgP);
  pDebug->setObjectName(QStringLiteral("pDebug"));
  pDebug->setAccessibleName(QStringLiteral("pDebug"));
  auto* debugLayout = new QVBoxLayout(pDebug);
  debugLayout->setContentsMargins(0, 0, 0, 0);
  mDeb = new QPlainTextEdit(pDebug);
  mDeb->setObjectName(QStringLiteral("mDeb"));
  mDeb->setAccessibleName(QStringLiteral("mDeb"));
  mDeb->setReadOnly(true);
  mDeb->setFont(HeaderFont());
  mDeb->setMaximumBlockCount(20000);
  debugLayout->addWidget(mDeb);
  pDebug->hide();
  outer->addWidget(pDebug);
}

QTableView* TfZetl::BuildTable(ArchiveTableModel* model, const std::vector<int>& widths, const char* name) {
  auto* view = new QTableView(this);
  view->setObjectName(QString::fromLatin1(name));
  view->setAccessibleName(QString::fromLatin1(name));
  view->setModel(model);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setShowGrid(true);
  view->setWordWrap(false);
  QHeaderView* rows = view->verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(kRowHeight);
  rows->setDefaultSectionSize(kRowHeight);
  rows->setFixedWidth(widths.front());
  rows->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  QHeaderView* columns = view->horizontalHeader();
  columns->setFixedHeight(kRowHeight);
  columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  columns->setHighlightSections(false);
  rows->setHighlightSections(false);
  QFont cellFont(QStringLiteral("Arial"));
  cellFont.setStyleHint(QFont::SansSerif);
  cellFont.setPixelSize(11);
  view->setFont(cellFont);
  columns->setFont(cellFont);
  rows->setFont(cellFont);
  // A reset of the model forgets the widths; they are the table's own.
  auto applyWidths = [columns, widths] {
    for (std::size_t c = 1; c < widths.size(); ++c) columns->resizeSection(static_cast<int>(c) - 1, widths[c]);
  };
  applyWidths();
  connect(model, &QAbstractItemModel::modelReset, view, applyWidths);
  // The first column's title sits in the corner, above the fixed column.
  if (auto* corner = view->findChild<QAbstractButton*>()) {
    auto* title = new QLabel(FromCp1251(TimeArchiveTitles()[0]), corner);
    title->setFont(cellFont);
    title->setIndent(3);
    auto* cornerLayout = new QHBoxLayout(corner);
    cornerLayout->setContentsMargins(0, 0, 0, 0);
    cornerLayout->addWidget(title);
  }
  view->installEventFilter(this);
  view->viewport()->installEventFilter(this);
  return view;
}

QWidget* TfZetl::BuildArchivePanel() {
  auto* panArch = new QWidget(this);
  panArch->setObjectName(QStringLiteral("panArch"));
  panArch->setAccessibleName(QStringLiteral("panArch"));
  auto* layout = new QVBoxLayout(panArch);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* toolBar = new QToolBar(panArch);
  toolBar->setObjectName(QStringLiteral("ToolBar_But"));
  toolBar->setAccessibleName(QStringLiteral("ToolBar_But"));
  toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto button = [&](const char* name, const QString& text, const QString& hint) {
    toolBar->addSeparator();
    auto* b = new QToolButton(toolBar);
    b->setObjectName(QString::fromLatin1(name));
    b->setAccessibleName(QString::fromLatin1(name));
    b->setAccessibleDescription(hint);
    b->setText(text);
    b->setToolTip(hint);
    b->setMinimumWidth(40);
    toolBar->addWidget(b);
    return b;
  };
  bFirst = button("bFirst", QStringLiteral("|◄"), QStringLiteral("Первая строка таблицы\r\n(кл. Home)"));
  bLast = button("bLast", QStringLiteral("►|"), QStringLiteral("Последняя строка таблицы\r\n(кл. End)"));
  bNext = button("bNext", QStringLiteral("▼"), QStringLiteral("Шаг по таблице вниз"));
  bPrev = button("bPrev", QStringLiteral("▲"), QStringLiteral("Шаг по таблице вверх"));
  bCurr = button("bCurr", QStringLiteral("●"), QStringLiteral("Последняя текущая запись\r\n(кл. F3)"));
  connect(bFirst, &QToolButton::clicked, this, &TfZetl::bFirstClick);
  connect(bLast, &QToolButton::clicked, this, &TfZetl::bLastClick);
  connect(bNext, &QToolButton::clicked, this, &TfZetl::bNextClick);
  connect(bPrev, &QToolButton::clicked, this, &TfZetl::bPrevClick);
  connect(bCurr, &QToolButton::clicked, this, &TfZetl::bCurrClick);
  connect(bNext, &QToolButton::pressed, this, &TfZetl::bNextMouseDown);
  connect(bPrev, &QToolButton::pressed, this, &TfZetl::bPrevMouseDown);
  connect(bNext, &QToolButton::released, this, &TfZetl::bNavMouseUp);
  connect(bPrev, &QToolButton::released, this, &TfZetl::bNavMouseUp);
  layout->addWidget(toolBar);

  TN_SelectArc = new QTabWidget(panArch);
  TN_SelectArc->setObjectName(QStringLiteral("TN_SelectArc"));
  TN_SelectArc->setAccessibleName(QStringLiteral("TN_SelectArc"));
  sg_DateArc = BuildTable(&timeModel_, {50, 120, 76, 103, 122, 98, 307}, "sg_DateArc");
  sg_CurArc = BuildTable(&operModel_, {47, 120, 95, 110, 85, 107, 80, 123, 104}, "sg_CurArc");
  sg_CurArc->setToolTip(QStringLiteral("Правая кнопка мышки вызывает подсказку записи строки"));
  TN_SelectArc->addTab(sg_DateArc, QStringLiteral("Временной архив"));
  TN_SelectArc->addTab(sg_CurArc, QStringLiteral("Оперативный архив"));
  TN_SelectArc->setCurrentIndex(0);
  layout->addWidget(TN_SelectArc, 1);
  return panArch;
}

void TfZetl::PrepareForShow(bool withIdentification) {
  if (ChDebZT->isChecked()) {
    sbEraseWin->show();
    pDebug->show();
  }
  shell::PrepareMainWindow(ctx_.state, ctx_.image, ctx_.tables, autoRepeat_);
  TablesReset();
  if (withIdentification) {
    ctx_.image.header[kHeaderVersion] = ctx_.state.identificationText;
    ctx_.image.header[kHeaderSerial] = ctx_.state.serialNumberText;
  }
  ShowHeader();
  tCurDateTTimer();
  // Maximised also where no window manager does it.
  if (const QScreen* s = screen()) setGeometry(s->availableGeometry());
  setWindowState(windowState() | Qt::WindowMaximized);
}

void TfZetl::ResetArchiveTables() {
  zt::ResetArchiveTables(ctx_.tables);
  TablesReset();
}

void TfZetl::TablesReset() {
  timeModel_.TableReset();
  operModel_.TableReset();
  for (QTableView* view : {sg_DateArc, sg_CurArc}) view->setCurrentIndex(view->model()->index(0, 0));
}

void TfZetl::ShowHeader() {
  for (std::size_t i = 0; i < kHeaderFieldCount; ++i) {
    // A label ends at a zero byte, as the recorder's texts do.
    const std::string& text = ctx_.image.header[i];
    headerValues_[i]->setText(FromCp1251(std::string_view(text).substr(0, text.find('\0'))));
  }
}

void TfZetl::LoadIntoMainWindow(const std::filesystem::path& fileName) {
  shell::PrepareShownData(ctx_.state, ctx_.image, ctx_.tables, fileName);
  TablesReset();
  ctx_.image.header[kHeaderVersion] = ctx_.state.identificationText;
  ctx_.image.header[kHeaderSerial] = ctx_.state.serialNumberText;
  ShowHeader();
  tStarRdData.start();
}

void TfZetl::ShowReadWriteMenus(bool visible) {
  mZT_Read->setVisible(visible);
  mZT_Write->setVisible(visible);
}

void TfZetl::ArchiveRowsChanged(ArchiveKind archive, std::size_t first, std::size_t last) {
  (archive == ArchiveKind::Time ? timeModel_ : operModel_).RowsChanged(first, last);
}

QTableView* TfZetl::View(ArchiveKind kind) const { return kind == ArchiveKind::Time ? sg_DateArc : sg_CurArc; }

std::optional<ArchiveKind> TfZetl::CurrentKind() const {
  switch (TN_SelectArc->currentIndex()) {
    case 0: return ArchiveKind::Time;
    case 1: return ArchiveKind::Operational;
    default: return std::nullopt;
  }
}

std::size_t TfZetl::CurrentRow(ArchiveKind kind) const {
  const QTableView* view = View(kind);
  const int row = view->currentIndex().isValid() ? view->currentIndex().row() : 0;
  return ArchiveTableModel::TableRow(row);
}

void TfZetl::SelectRow(ArchiveKind kind, std::size_t row) {
  QTableView* view = View(kind);
  const int column = view->currentIndex().isValid() ? view->currentIndex().column() : 0;
  const QModelIndex index = view->model()->index(ArchiveTableModel::ViewRow(row), column);
  view->setCurrentIndex(index);
  view->scrollTo(index);
}

void TfZetl::SendStep() {
  ++sendSteps_;
  QueueActivity();
}

void TfZetl::ReceiveStep() {
  ++receiveSteps_;
  QueueActivity();
}

// A progress bar repaints at once on a visible change; the indicators move after the
// event that stepped them, so no painting comes between a reply and the next frame.
void TfZetl::QueueActivity() {
  if (activityQueued_) return;
  activityQueued_ = true;
  QMetaObject::invokeMethod(this, &TfZetl::ShowActivity, Qt::QueuedConnection);
}

void TfZetl::ShowActivity() {
  activityQueued_ = false;
  AdvanceActivity(prWr, std::exchange(sendSteps_, 0));
  AdvanceActivity(prRd, std::exchange(receiveSteps_, 0));
}

void TfZetl::AppendLogLine(const std::string& line) {
  // A load logs two lines for each of up to 2048 records; they reach the memo
  // in batches so that the 5 ms load ticks stay 5 ms.
  pendingLog_.push_back(FromCp1251(line));
  if (!tLogFlush.isActive()) tLogFlush.start();
}

void TfZetl::FlushLog() {
  if (pendingLog_.isEmpty()) return;
  mDeb->appendPlainText(pendingLog_.join(QLatin1Char('\n')));
  pendingLog_.clear();
}

void TfZetl::closeEvent(QCloseEvent* event) {
  // No close box, yet a window manager may give one: closing would drop the data shown.
  // "ВЫХОД" is the way out.
  event->ignore();
}

void TfZetl::keyPressEvent(QKeyEvent* event) {
  // Esc must not close the main window; it has no close box either.
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  // A hidden switch for the protocol log, for service staff.
  if (event->key() == Qt::Key_D && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)) {
    ChDebZT->setVisible(!ChDebZT->isVisible());
    return;
  }
  QDialog::keyPressEvent(event);
}

bool TfZetl::eventFilter(QObject* watched, QEvent* event) {
  const bool operViewport = watched == sg_CurArc->viewport();
  const bool timeViewport = watched == sg_DateArc->viewport();
  if ((operViewport || timeViewport) &&
      (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick ||
       event->type() == QEvent::MouseButtonRelease)) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton) {
      // Only the left button selects; the right one's release shows the record.
      if (event->type() == QEvent::MouseButtonRelease && operViewport) sg_CurArcMouseUp();
      return true;
    }
  }
  if ((watched == sg_CurArc || watched == sg_DateArc) && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Home || key->key() == Qt::Key_End) {
      const ArchiveKind kind = watched == sg_DateArc ? ArchiveKind::Time : ArchiveKind::Operational;
      const std::size_t rows = RowCount(kind);
      SelectRow(kind, key->key() == Qt::Key_Home ? shell::FirstRow(rows) : shell::LastRow(rows));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

std::size_t TfZetl::RowCount(ArchiveKind kind) const { return TableOf(ctx_.tables, kind).RowCount(); }

void TfZetl::Navigate(const std::function<std::size_t(std::size_t rows, std::size_t row)>& move) {
  const auto kind = CurrentKind();
  if (!kind) return;
  SelectRow(*kind, move(RowCount(*kind), CurrentRow(*kind)));
}

void TfZetl::Step(shell::RowStep step) {
  Navigate([step](std::size_t rows, std::size_t row) { return shell::ApplyStep(step, rows, row); });
}

void TfZetl::bFirstClick() { Navigate([](std::size_t rows, std::size_t) { return shell::FirstRow(rows); }); }
void TfZetl::bLastClick() { Navigate([](std::size_t rows, std::size_t) { return shell::LastRow(rows); }); }
void TfZetl::bNextClick() { Step(shell::AutoRepeat::Click(shell::RepeatButton::Next)); }
void TfZetl::bPrevClick() { Step(shell::AutoRepeat::Click(shell::RepeatButton::Prev)); }

void TfZetl::bCurrClick() {
  const auto kind = CurrentKind();
  if (!kind) return;
  SelectRow(*kind, shell::CurrentRecordRow(RowCount(*kind), ctx_.image.LastIndex(*kind)));
}

void TfZetl::bNextMouseDown() { PressRepeat(shell::RepeatButton::Next); }
void TfZetl::bPrevMouseDown() { PressRepeat(shell::RepeatButton::Prev); }

void TfZetl::PressRepeat(shell::RepeatButton button) {
  autoRepeat_.Press(button);
  if (autoRepeat_.TimerEnabled()) tKlav_PN.start();
}

void TfZetl::bNavMouseUp() { autoRepeat_.Release(); }

void TfZetl::tKlav_PNTimer() {
  const shell::RowStep step = autoRepeat_.Tick();
  if (!autoRepeat_.TimerEnabled()) tKlav_PN.stop();
  Step(step);
}

void TfZetl::tCurDateTTimer() { stDateTime->setText(FromCp1251(NowText(ctx_.clock))); }

void TfZetl::tStarRdDataTimer() {
  tStarRdData.stop();
  dispatcher_.OpenLoadWindow();
}

void TfZetl::tStartWrDataTimer() {
  tStartWrData.stop();
  dispatcher_.OpenWriteWindow();
}

std::unique_ptr<QFileDialog> TfZetl::ZtFileDialog(const QString& title, const char* name,
                                                  QFileDialog::AcceptMode mode) {
  auto dialog = std::make_unique<QFileDialog>(this, title);
  dialog->setObjectName(QString::fromLatin1(name));
  dialog->setAccessibleName(QString::fromLatin1(name));
  // The program's own dialog: the same in every desktop, and testable.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setAcceptMode(mode);
  dialog->setNameFilter(kZtFilter);
  dialog->setDirectory(QString::fromStdString(ctx_.state.files.ReportFolder().string()));
  LookRussianWithWholeColumns(*dialog);
  return dialog;
}

std::optional<std::filesystem::path> TfZetl::ChosenFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

void TfZetl::rdFileClick() {
  shell::OpenCommand(ctx_.state);
  const auto OpenFile = ZtFileDialog(QStringLiteral("Открыть"), "OpenFile", QFileDialog::AcceptOpen);
  OpenFile->setFileMode(QFileDialog::ExistingFile);
  if (const auto chosen = ChosenFile(*OpenFile)) LoadIntoMainWindow(*chosen);
}

void TfZetl::SaveFileClick() {
  const std::string serial = shell::ShownSerialText(ctx_.image);
  if (!shell::HasDataToSave(ctx_.state, serial, ctx_.messages)) return;
  const auto saveFl_ZT = ZtFileDialog(QStringLiteral("Сохранить как"), "saveFl_ZT", QFileDialog::AcceptSave);
  // The overwrite question is the program's own, asked for the name it will really write.
  saveFl_ZT->setOption(QFileDialog::DontConfirmOverwrite);
  saveFl_ZT->selectFile(FromCp1251(DefaultSaveName(serial, ctx_.clock)));
  if (const auto chosen = ChosenFile(*saveFl_ZT)) shell::SaveShownData(ctx_.state, *chosen, ctx_.messages);
}

void TfZetl::mZT_ReadClick() {
  shell::ReadCommand(ctx_.state);
  dispatcher_.OpenPasswordWindow();
}

void TfZetl::mZT_WriteClick() {
  if (!shell::WriteCommand(ctx_.state, shell::ShownSerialText(ctx_.image), ctx_.messages)) return;
  dispatcher_.OpenPasswordWindow();
}

void TfZetl::mZT_ReportClick() { dispatcher_.OpenReportWindow(); }
void TfZetl::mZT_HelpClick() { dispatcher_.OpenAboutWindow(); }

void TfZetl::mZT_EscClick() {
  // Ends the program: the start window closes once this modal showing returns.
  done(QDialog::Accepted);
  if (parentWidget()) parentWidget()->close();
}

void TfZetl::sbEraseWinClick() {
  pendingLog_.clear();
  mDeb->clear();
}

void TfZetl::ChDebZTClick() {
  const bool on = ChDebZT->isChecked();
  ctx_.log.SetDebug(on);
  sbEraseWin->setVisible(on);
  pDebug->setVisible(on);
  mDeb->setVisible(on);
}

void TfZetl::sg_CurArcMouseUp() { dispatcher_.OpenRecordDetail(ArchiveKind::Operational); }

}  // namespace zt::app
