#include "app/windows/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>

#include "app/windows/app_context.h"
#include "app/windows/t_splash_form.h"
#include "app/windows/tf_men_zt.h"
#include "link/com_port_names.h"
#include "app/windows/qt_messages.h"
#include "app/windows/qt_printer.h"

namespace zt::app {

Program::Program(const std::filesystem::path& programFolder, ProgramOptions options)
    : options_(std::move(options)), files_(programFolder) {}

Program::~Program() {
  QCoreApplication::instance()->removeEventFilter(&stateGuard_);
  QCoreApplication::removeTranslator(&translator_);
  start_.reset();
  context_.reset();
}

bool Program::Start() {
  // The interface is Russian, Qt's own dialogs and buttons too.
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  if (translator_.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&translator_);
  QCoreApplication::instance()->installEventFilter(&stateGuard_);
  TSplashForm splash;
  splash.show();
  splash.repaint();
  QApplication::processEvents();

  lock_ = options_.lockFolder.empty() ? std::make_unique<shell::SingleInstanceLock>()
                                      : std::make_unique<shell::SingleInstanceLock>(options_.lockFolder);
  if (!lock_->Acquire()) return false;
  if (!options_.startWarning.empty()) {
    splash.hide();
    QtMessages().Show(MessageKind::Warning, options_.startWarning);
  }

  std::vector<std::string> ports = options_.systemPorts ? *options_.systemPorts : link::SystemSerialPorts();
  context_ = std::make_unique<AppContext>(files_, std::move(ports),
                                          options_.printers ? options_.printers() : QtPrinter::System());
  start_ = std::make_unique<TfMen_ZT>(*context_);
  splash.hide();
  start_->show();
  return true;
}

}  // namespace zt::app
