#include "tools/zt/device_session.h"

#include <filesystem>
#include <system_error>

#include "core/cp1251.h"
#include "core/device_image.h"
#include "link/tty_port_hints.h"
#include "tools/zt/parameter_block_reading.h"
#include "tools/zt/progress_line.h"
#include "tools/zt/terminal_text.h"

namespace zt::cli {

bool CompleteTexts(const GivenTexts& given, const RecorderTexts& current, link::WriteParameters& out,
                   std::string& missing) {
  const struct {
    const std::optional<std::string>& given;
    const std::string& current;
    std::string& out;
    const char* option;
  } texts[] = {{given.enterprise, current.enterprise, out.enterprise, "--enterprise"},
               {given.branch, current.branch, out.branch, "--branch"},
               {given.meter, current.meter, out.meter, "--meter"}};
  for (const auto& t : texts) {
    if (t.given) {
      t.out = *t.given;
    } else if (t.current == kDitto) {
      missing = t.option;
      return false;
    } else {
      t.out = t.current;
    }
  }
  return true;
}

bool ParameterBlockTexts(std::string_view block, RecorderTexts& texts) {
  DecodedImage decoded;
  if (!DecodeParameterBlock(block, decoded)) return false;
  texts = {decoded.header[kHeaderEnterprise], decoded.header[kHeaderBranch], decoded.header[kHeaderMeter]};
  return true;
}

namespace {

// "com3" as "COM3"; anything else as it is.
std::string PortName(const std::string& port) {
  const bool comNumber = port.size() > 3 && (port[0] | 0x20) == 'c' && (port[1] | 0x20) == 'o' &&
                         (port[2] | 0x20) == 'm' && port.find_first_not_of("0123456789", 3) == std::string::npos;
  return comNumber ? "COM" + port.substr(3) : port;
}

// Something other than a terminal device stands at the path (a folder, a
// file), which the open reports as if nothing were there.
bool IsSomethingElse(const std::string& path) {
  std::error_code ec;
  const auto type = std::filesystem::status(path, ec).type();
  return !ec && type != std::filesystem::file_type::not_found && type != std::filesystem::file_type::character;
}

}  // namespace

DeviceSession::DeviceSession(WorkingFiles files, std::vector<std::string> systemPorts, Messages& messages,
                             link::PollWaiter& waiter, const link::MonotonicClock& clock, std::ostream& notes)
    : files_(std::move(files)),
      names_(files_, std::move(systemPorts)),
      messages_(messages),
      notes_(notes),
      channel_(names_),
      probe_(names_),
      protocol_(channel_, probe_, log_, clock_),
      host_(channel_, clock, waiter) {}

void DeviceSession::Drive(int intervalMs, const std::function<void()>& tick, const std::function<bool()>& done,
                          const std::function<void()>& onInterrupt) {
  bool interruptSeen = false;
  host_.Run(
      intervalMs,
      [&] {
        tick();
        if (!interruptSeen && interrupted_ && interrupted_()) {
          interruptSeen = true;
          onInterrupt();
        }
      },
      done);
}

void DeviceSession::Pause(int ms) {
  bool over = false;
  host_.Run(ms, [&] { over = true; }, [&] { return over; });
}

void DeviceSession::NoteOpenFailure() {
  link::OpenFailure failure = channel_.LastOpenFailure();
  if (failure == link::OpenFailure::None) return;
  const std::string device = channel_.DevicePath().empty() ? channel_.DeviceName() : channel_.DevicePath();
  if (failure == link::OpenFailure::NotFound && IsSomethingElse(device)) failure = link::OpenFailure::NotATerminal;
  std::string note = link::OpenFailureHint(failure, device);
  if (failure == link::OpenFailure::NotATerminal) note += "; give COMn or the adapter's device, such as /dev/ttyUSB0";
  if (channel_.DevicePath() != channel_.DeviceName()) note = channel_.DeviceName() + ": " + note;
  // Each cause once, however often the run retries.
  if (note == lastNote_) return;
  lastNote_ = note;
  Notes() << "zt: " << VisibleControls(note) << '\n';
}

void DeviceSession::NoteLatency() {
  const std::string hint = link::LatencyHint(channel_.DevicePath());
  if (!hint.empty()) Notes() << "zt: " << hint << '\n';
}

void DeviceSession::NoteNewTrace(const link::DeviceSearch& search, std::size_t& shown) {
  const auto& lines = search.TraceLines();
  for (; shown < lines.size(); ++shown) {
    const std::string& line = lines[shown];
    std::ostream& out = Notes();
    out << TerminalText(line);
    if (link::ComNumberOf(line)) {
      const std::string device = names_.DeviceDescription(line);
      if (!device.empty()) out << "  " << VisibleControls(device);
    }
    out << '\n';
  }
}

link::SearchCode DeviceSession::Search(std::optional<std::uint8_t> scanLimit) {
  if (!files_.EnsureFolders())
    Notes() << "zt: cannot create " << files_.WorkFolder().string() << "; the port found will not be remembered\n";
  link::SearchSettings settings = link::ReadSearchSettings(files_);
  if (scanLimit) settings.scanLimit = *scanLimit;
  link::DeviceSearch search(protocol_, probe_, settings, files_);
  std::size_t shown = 0;
  search.Start();
  Drive(
      link::kSearchTickMs,
      [&] {
        search.Tick();
        NoteOpenFailure();
        NoteNewTrace(search, shown);
      },
      [&] { return search.Finished(); }, [&] { search.Cancel(); });
  NoteNewTrace(search, shown);
  foundPort_ = 0;
  if (search.Code() == link::SearchCode::Found)
    foundPort_ = static_cast<std::uint8_t>(link::ComNumberOf(channel_.DeviceName()).value_or(0));
  return search.Code();
}

void DeviceSession::UsePort(const std::string& port, int baud) {
  protocol_.ClosePort();
  channel_.SetDeviceName(PortName(port));
  channel_.SetBaudRate(baud);
}

link::PasswordCode DeviceSession::Password(link::OperationMode mode, const std::string& entry) {
  // The windows ask for the password again before writing; here it is given once.
  if (mode == link::OperationMode::Writing && lastPasswordText_.empty()) lastPasswordText_ = entry;
  link::PasswordStep step(protocol_, messages_, lastPasswordText_, mode);
  if (!step.Accept(entry)) {
    NoteOpenFailure();
    return step.Code();
  }
  NoteLatency();
  Drive(
      link::kPasswordTickMs, [&] { step.Tick(); }, [&] { return !step.Waiting(); }, [&] { step.Cancel(); });
  if (!step.Accepted()) protocol_.ClosePort();
  return step.Code();
}

// Reading and writing run alike: the window's first tick, then the run's own ticks.
template <class Run>
void DeviceSession::DriveRun(Run& run, int tickMs, const std::function<void()>& afterTick) {
  Pause(100);
  run.Start();
  Drive(
      tickMs,
      [&] {
        run.Tick();
        if (afterTick) afterTick();
      },
      [&] { return run.Finished(); }, [&] { run.RequestStop(); });
  // The last reply ends a run inside the data event, after the last tick.
  if (afterTick) afterTick();
  if (progress_) progress_({});
  protocol_.ClosePort();
}

std::ostream& DeviceSession::Notes() {
  // A note goes on a line of its own, not after the progress line's text.
  if (progress_) progress_({});
  return notes_;
}

void DeviceSession::Progress(std::string_view what, int done, int total, std::string_view unit) {
  if (progress_) progress_(ProgressText(what, done, total, unit));
}

link::ReadCode DeviceSession::Read() {
  link::ReadingRun run(protocol_, messages_, files_);
  DriveRun(run, link::kReadingTickMs, [&] { Progress("reading", run.Page(), link::kPagesToRead, "pages"); });
  return run.Code();
}

link::ReadCode DeviceSession::ReadParameterBlock(std::string& block) {
  ParameterBlockReading run(protocol_, messages_);
  DriveRun(run, link::kReadingTickMs,
           [&] { Progress("reading the parameter block", run.PagesRead(), kParameterPages, "pages"); });
  block = run.Block();
  return run.Code();
}

WriteOutcome DeviceSession::Write(const link::WriteParameters& parameters) {
  link::WritingRun run(protocol_, messages_, parameters);
  DriveRun(run, link::kWritingTickMs, [&] { Progress("writing", run.Gauge(), link::kWriteGaugeMax, "steps"); });
  return WriteOutcomeOf(run.Code(), run.NextCommand(), protocol_.ReplyComplete(), parameters.clockCorrection);
}

}  // namespace zt::cli
