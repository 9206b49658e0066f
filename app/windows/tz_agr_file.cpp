#include "app/windows/tz_agr_file.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "app/shell/main_commands.h"
#include "app/windows/centre_on_screen.h"
#include "app/windows/gauge_style.h"
#include "app/windows/load_rows.h"
#include "app/windows/plain_button.h"
#include "app/windows/tf_zetl.h"

namespace zt::app {

TZagrFile::TZagrFile(AppContext& context, TfZetl& mainWindow, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ctx_(context),
      main_(mainWindow),
      load_(context.image, context.tables, context.log, context.messages, context.state.files,
            context.state.currentDataFile) {
  setObjectName(QStringLiteral("ZagrFile"));
  setWindowTitle(QStringLiteral("ЗАГРУЗКА ДАННЫХ"));
  setAccessibleName(windowTitle());
  setFixedSize(609, 98);
  CentreOnScreen(*this);

  auto* layout = new QVBoxLayout(this);
  lNameFile = new QLabel(this);
  lNameFile->setObjectName(QStringLiteral("lNameFile"));
  lNameFile->setAccessibleName(QStringLiteral("lNameFile"));
  gFile_ZT = MakeGauge(this, "gFile_ZT", kLoadSteps);
  bStop = PlainButton(this, "bStop", QStringLiteral("Стоп"));
  connect(bStop, &QPushButton::clicked, this, &TZagrFile::bStopClick);
  layout->addWidget(lNameFile);
  layout->addWidget(gFile_ZT);
  layout->addWidget(bStop, 0, Qt::AlignHCenter);

  Timer_Init.setInterval(50);
  Timer_Init.setSingleShot(true);
  connect(&Timer_Init, &QTimer::timeout, this, &TZagrFile::Timer_InitTimer);
  tStepRdFile.setInterval(5);
  tStepRdFile.setTimerType(Qt::PreciseTimer);
  connect(&tStepRdFile, &QTimer::timeout, this, &TZagrFile::tStepRdFileTimer);
  Timer_Init.start();
}

void TZagrFile::Timer_InitTimer() {
  Timer_Init.stop();
  lNameFile->setText(QString::fromStdString(load_.DataFileName().string()));
  gFile_ZT->setValue(0);
  load_.Start();
  if (load_.Finished()) {
    shell::LoadEnded(ctx_.state, load_);
    accept();
    return;
  }
  tStepRdFile.start();
}

void TZagrFile::tStepRdFileTimer() {
  load_.Tick();
  ShowStep();
}

void TZagrFile::ShowStep() {
  gFile_ZT->setValue(load_.Gauge());
  if (load_.Gauge() == 1) main_.ShowHeader();
  if (const auto rows = RowsOfLoadStep(load_.Gauge())) main_.ArchiveRowsChanged(rows->archive, rows->first, rows->last);
  if (!load_.Finished()) return;
  tStepRdFile.stop();
  shell::LoadEnded(ctx_.state, load_);
  main_.ShowHeader();
  accept();
}

void TZagrFile::bStopClick() { load_.RequestStop(); }

void TZagrFile::keyPressEvent(QKeyEvent* event) {
  // Esc acts on its release, as a stop, never as a plain close.
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}

void TZagrFile::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    load_.RequestStop();
    return;
  }
  QDialog::keyReleaseEvent(event);
}

void TZagrFile::closeEvent(QCloseEvent* event) {
  // Closing while the load runs is a stop; the next tick ends it with its message.
  if (load_.Running() && !load_.Finished()) {
    load_.RequestStop();
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

}  // namespace zt::app
