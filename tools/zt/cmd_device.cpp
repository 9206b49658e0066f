// zt search, read and write: the recorder over a serial port.
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <optional>

#include "core/copy_over_file.h"
#include "core/cp1251.h"
#include "core/device_image.h"
#include "tools/zt/args.h"
#include "tools/zt/commands.h"
#include "tools/zt/console.h"
#include "tools/zt/device_session.h"
#include "tools/zt/output.h"

namespace zt::cli {
namespace {

constexpr int kUsageError = 64;
constexpr int kNotFound = 1;
constexpr int kFileError = kWriteError;
constexpr int kPasswordBase = 10;  // + PasswordCode
constexpr int kReadBase = 20;      // + ReadCode
constexpr int kWriteBase = 30;     // + WriteCode
constexpr int kTextsUnknown = 40;
constexpr int kInterrupted = 130;

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int) { gInterrupted = 1; }

// Ctrl-C is the windows' Esc: the run ends through its own ending, port closed.
void CatchInterrupt() {
  struct sigaction action{};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGINT, &action, nullptr);
  ::sigaction(SIGTERM, &action, nullptr);
}

int UsageError(const std::string& command, const std::string& what) {
  std::cerr << "zt " << command << ": " << what << '\n';
  return kUsageError;
}

WorkingFiles FilesOf(const Args& args) {
  return WorkingFiles(args.Get("--workdir").value_or(RunningProgramFolder().string()));
}

// Everything a command needs to talk to the recorder, built once.
struct Connection {
  explicit Connection(const Args& args)
      : session(FilesOf(args), link::SystemSerialPorts(), messages, waiter, clock, std::cerr) {
    CatchInterrupt();
    session.SetInterrupted([] { return gInterrupted != 0; });
  }
  ConsoleMessages messages;
  link::SystemPollWaiter waiter;
  link::SteadyMonotonicClock clock;
  DeviceSession session;
};

// --baud is for test rigs only; the recorder always talks at 38400.
std::optional<int> BaudOption(const Args& args) {
  const auto text = args.Get("--baud");
  if (!text) return link::kLinkBaudRate;
  const auto n = ParseNumber(*text);
  if (!n || link::TermiosSpeed(static_cast<int>(*n)) == 0) return std::nullopt;
  return static_cast<int>(*n);
}

int PasswordExit(link::PasswordCode code) {
  if (code == link::PasswordCode::Cancelled) return kInterrupted;
  return kPasswordBase + static_cast<int>(code);
}

int ReadExit(link::ReadCode code) {
  if (code == link::ReadCode::Stopped && gInterrupted) return kInterrupted;
  return kReadBase + static_cast<int>(code);
}

// Port, password and folders: what read and write share.
struct LinkRequest {
  std::string port;
  std::string password;
  int baud = link::kLinkBaudRate;
};

std::optional<LinkRequest> RequestOf(const std::string& command, const Args& args, int& error) {
  const auto port = args.Get("--port");
  const auto password = args.Get("--password");
  const auto baud = BaudOption(args);
  if (!port || port->empty() || !password || !args.positional.empty()) {
    error = UsageError(command, "--port PORT and --password N are needed");
    return std::nullopt;
  }
  if (!baud) {
    error = UsageError(command, "--baud takes a rate the system knows");
    return std::nullopt;
  }
  return LinkRequest{*port, *password, *baud};
}

// The password step and the reading run: Work/cur_Rep.000 holds the recorder's memory after 0.
int ReadRecorder(DeviceSession& session, const LinkRequest& request) {
  if (!session.Files().EnsureFolders()) {
    std::cerr << "zt: cannot create " << session.Files().WorkFolder().string() << '\n';
    return kFileError;
  }
  session.UsePort(request.port, request.baud);
  const auto password = session.Password(link::OperationMode::Reading, request.password);
  if (password != link::PasswordCode::Accepted) return PasswordExit(password);
  if (gInterrupted) return kInterrupted;
  // A line that counts the pages, for an operator watching a terminal.
  if (::isatty(STDERR_FILENO)) {
    session.SetReadProgress([](int pages) {
      if (pages % 16 == 0) std::cerr << "\r" << pages << "/" << link::kPagesToRead << std::flush;
    });
  }
  const auto read = session.Read();
  if (::isatty(STDERR_FILENO)) std::cerr << "\r" << std::string(12, ' ') << "\r" << std::flush;
  return read == link::ReadCode::Done ? 0 : ReadExit(read);
}

// A text from the command line in the recorder's code page; nothing when it has
// characters the recorder cannot show.
std::optional<std::string> RecorderText(const std::string& utf8) {
  std::string text = Utf8ToCp1251(utf8);
  if (Cp1251ToUtf8(text) != utf8) return std::nullopt;
  return text;
}

struct TextOption {
  const char* option;
  std::optional<std::string> GivenTexts::*field;
};
constexpr TextOption kTextOptions[] = {
    {"--enterprise", &GivenTexts::enterprise},
    {"--branch", &GivenTexts::branch},
    {"--meter", &GivenTexts::meter},
};

}  // namespace

int RunSearch(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {"--limit", "--workdir"}, {}, error);
  if (!args) return UsageError("search", error);
  if (!args->positional.empty()) return UsageError("search", "usage: zt search [--limit N] [--workdir DIR]");
  std::optional<std::uint8_t> limit;
  if (const auto text = args->Get("--limit")) {
    const auto n = ParseNumber(*text);
    if (!n || *n < 1 || *n > 99) return UsageError("search", "--limit takes a number from 1 to 99");
    limit = static_cast<std::uint8_t>(*n);
  }
  Connection connection(*args);
  const auto code = connection.session.Search(limit);
  if (code == link::SearchCode::Found) {
    const std::string name = link::ComName(connection.session.FoundPort());
    std::cout << name << ' ' << connection.session.Names().DeviceDescription(name) << '\n';
    return 0;
  }
  if (code == link::SearchCode::Cancelled) return kInterrupted;
  std::cerr << Cp1251ToUtf8("РЕГИСТРАТОР НЕ НАЙДЕН!!!"_cp) << '\n';
  if (connection.session.Names().SystemPorts().empty())
    std::cerr << "zt: no serial ports on this machine; plug the adapter in, or make Work/COMn a link to the device\n";
  return kNotFound;
}

int RunRead(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {"--port", "--password", "-o", "--workdir", "--baud"}, {}, error);
  if (!args) return UsageError("read", error);
  int code = 0;
  const auto request = RequestOf("read", *args, code);
  if (!request) return code;
  const auto out = args->Get("-o");
  if (!out || out->empty()) return UsageError("read", "usage: zt read --port PORT --password N -o FILE.zt");
  // Checked before the reading, which would take its time only to be refused.
  if (const int rc = RefuseOverlappingFiles("read", {FilesOf(*args).ImageFile()}, {*out})) return rc;
  Connection connection(*args);
  if (const int rc = ReadRecorder(connection.session, *request)) return rc;
  return CopyOverFile(*out, connection.session.Files().ImageFile(), connection.messages, SameFileCopy::Refused)
             ? 0
             : kFileError;
}

int RunWrite(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {"--port", "--password", "--enterprise", "--branch", "--meter", "--workdir", "--baud"},
                              {"--set-clock"}, error);
  if (!args) return UsageError("write", error);
  int code = 0;
  const auto request = RequestOf("write", *args, code);
  if (!request) return code;

  link::WriteParameters parameters;
  parameters.clockCorrection = args->Has("--set-clock");
  GivenTexts given;
  for (const auto& t : kTextOptions) {
    const auto text = args->Get(t.option);
    if (!text) continue;
    given.*t.field = RecorderText(*text);
    if (!(given.*t.field)) return UsageError("write", std::string(t.option) + " has characters the recorder cannot show");
  }
  if (!given.enterprise && !given.branch && !given.meter && !parameters.clockCorrection)
    return UsageError("write", "nothing to write: give --enterprise, --branch, --meter or --set-clock");

  Connection connection(*args);
  RecorderTexts current;
  if (!given.All()) {
    // The recorder takes all three texts; those not given are read from it
    // first and written back as they were.
    if (const int rc = ReadRecorder(connection.session, *request)) return rc;
    if (!connection.session.ImageTexts(current)) {
      std::cerr << "zt write: the recorder's parameters did not check; give --enterprise, --branch and --meter\n";
      return kTextsUnknown;
    }
  } else {
    connection.session.UsePort(request->port, request->baud);
  }
  std::string missing;
  if (!CompleteTexts(given, current, parameters, missing)) {
    std::cerr << "zt write: the recorder's text for " << missing << " did not check; give " << missing << '\n';
    return kTextsUnknown;
  }
  if (gInterrupted) return kInterrupted;
  const auto password = connection.session.Password(link::OperationMode::Writing, request->password);
  if (password != link::PasswordCode::Accepted) return PasswordExit(password);
  const auto written = connection.session.Write(parameters);
  if (written == link::WriteCode::Written) return 0;
  if (written == link::WriteCode::Stopped && gInterrupted) return kInterrupted;
  return kWriteBase + static_cast<int>(written);
}

}  // namespace zt::cli
