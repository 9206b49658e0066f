#include "app/windows/pause_with_events.h"

#include <QEventLoop>
#include <QTimer>

namespace zt::app {

void PauseWithEvents(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace zt::app
