#include "app/windows/app_context.h"

namespace zt::app {

AppContext::AppContext(const WorkingFiles& files, std::vector<std::string> systemPorts,
                       std::unique_ptr<QtPrinter> printerImpl)
    : printer(std::move(printerImpl)),
      portNames(files, std::move(systemPorts)),
      channel(portNames),
      probe(portNames),
      protocol(channel, probe, log, clock) {
  state.files = files;
}

}  // namespace zt::app
