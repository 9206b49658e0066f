// Everything the windows share for the whole run, created once by main and
// handed to each window: the working files, the application state, the
// decoded header and both archive tables, the print settings, the one serial
// channel with its protocol, and the operator's messages. Windows pass data
// to each other only through this.
#pragma once

#include <array>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "core/archive_table.h"
#include "core/clock.h"
#include "core/conversions.h"
#include "core/device_image.h"
#include "core/working_files.h"
#include "link/com_port_names.h"
#include "link/link_protocol.h"
#include "link/search_settings.h"
#include "report/print_context.h"
#include "report/print_settings.h"
#include "app/shell/app_state.h"
#include "app/windows/notified_channel.h"
#include "app/windows/qt_printer.h"
#include "app/windows/qt_messages.h"
#include "app/windows/window_log.h"

namespace zt::app {

struct AppContext {
  // systemPorts: the machine's serial ports, in COM order.
  AppContext(const WorkingFiles& files, std::vector<std::string> systemPorts, std::unique_ptr<QtPrinter> printer);

  // The program folder and the working files are state.files.
  shell::AppState state;
  DecodedImage image;
  ArchiveTables tables;
  report::PrintSetup print;
  link::SearchSettings search;
  SystemClock clock;
  DateFormats formats;
  QtMessages messages;
  WindowLog log;
  std::unique_ptr<QtPrinter> printer;
  link::ComPortNames portNames;
  NotifiedChannel channel;
  link::TtyPortProbe probe;
  link::LinkProtocol protocol;
  // The text of the last password sent, as typed; a writing must repeat it.
  std::string lastPasswordText;
  // The parameter editor's "Коррекция часов по часам компьютера" for the next writing.
  bool clockCorrection = false;
  // Header entries 4, 5 and 6 before the editor's confirmation: what the
  // header shows again for a text the writing did not get into the recorder.
  std::array<std::string, 3> textsBeforeWriting;

  // What printing and the page settings work on.
  report::PrintContext Printing() { return {print, *printer, messages, state.files}; }
};

}  // namespace zt::app
