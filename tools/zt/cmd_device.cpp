// zt search, read and write: the recorder over a serial port.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>

#include "core/cp1251.h"
#include "core/device_image.h"
#include "core/output_file.h"
#include "tools/zt/args.h"
#include "tools/zt/commands.h"
#include "tools/zt/console.h"
#include "tools/zt/device_session.h"
#include "tools/zt/output.h"
#include "tools/zt/progress_line.h"
#include "tools/zt/terminal_text.h"
#include "tools/zt/tool_folder.h"

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
// The recorder keeps each text as 30 characters.
constexpr std::size_t kRecorderTextLength = 30;

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

// The program's messages, on a line of their own below the progress line.
class RunMessages final : public Messages {
 public:
  explicit RunMessages(ProgressLine& progress) : progress_(progress) {}
  bool Show(MessageKind kind, std::string_view text) override {
    progress_.Clear();
    return console_.Show(kind, text);
  }

 private:
  ProgressLine& progress_;
  ConsoleMessages console_;
};

// Everything a command needs to talk to the recorder, built once.
struct Connection {
  explicit Connection(const WorkingFiles& files)
      : progress(std::cerr, ::isatty(STDERR_FILENO) == 1),
        messages(progress),
        session(files, link::SystemSerialPorts(), messages, waiter, clock, std::cerr) {
    CatchInterrupt();
    session.SetInterrupted([] { return gInterrupted != 0; });
    session.SetProgress([this](const std::string& text) { progress.Show(text); });
  }
  // How far a run is, for an operator watching a terminal.
  ProgressLine progress;
  RunMessages messages;
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

// Port, password and folders: what read and write share.
struct LinkRequest {
  std::string command;
  std::string port;
  std::string password;
  int baud = link::kLinkBaudRate;
};

std::optional<LinkRequest> RequestOf(const std::string& command, const Args& args, int& error) {
  const auto port = args.Get("--port");
  const auto password = args.Get("--password");
  const auto baud = BaudOption(args);
  if (!port || !password || !args.positional.empty()) {
    error = UsageError(command, "--port PORT and --password N are needed");
    return std::nullopt;
  }
  if (!baud) {
    error = UsageError(command, "--baud takes a rate the system knows");
    return std::nullopt;
  }
  return LinkRequest{command, *port, *password, *baud};
}

// The password step's ending; after the program's message, what to do about it.
int PasswordExit(const LinkRequest& request, link::PasswordCode code) {
  const std::string prefix = "zt " + request.command + ": ";
  switch (code) {
    case link::PasswordCode::Cancelled:
      return kInterrupted;
    case link::PasswordCode::BadEntry:
      std::cerr << prefix << "the password \"" << VisibleControls(request.password)
                << "\" is not a number; give the recorder's password as a whole number\n";
      break;
    case link::PasswordCode::Rejected:
      std::cerr << prefix << "the recorder refused the password " << request.password
                << "; give the password the recorder is set to\n";
      break;
    case link::PasswordCode::NoReply:
      std::cerr << prefix << "no answer to the password on " << request.port
                << "; check the cable and that the recorder is on this port\n";
      break;
    default:
      break;
  }
  return kPasswordBase + static_cast<int>(code);
}

int ReadExit(link::ReadCode code) {
  if (code == link::ReadCode::Stopped && gInterrupted) return kInterrupted;
  return kReadBase + static_cast<int>(code);
}

// The port, then the password step for a reading; 0 when it was accepted.
int OpenForReading(DeviceSession& session, const LinkRequest& request) {
  session.UsePort(request.port, request.baud);
  const auto password = session.Password(link::OperationMode::Reading, request.password);
  if (password != link::PasswordCode::Accepted) return PasswordExit(request, password);
  return gInterrupted ? kInterrupted : 0;
}

// The password step and the reading run: Work/cur_Rep.000 holds the recorder's memory after 0.
int ReadRecorder(DeviceSession& session, const LinkRequest& request) {
  if (!session.Files().EnsureFolders()) {
    std::cerr << "zt: cannot create " << session.Files().WorkFolder().string() << '\n';
    return kFileError;
  }
  if (const int rc = OpenForReading(session, request)) return rc;
  const auto read = session.Read();
  return read == link::ReadCode::Done ? 0 : ReadExit(read);
}

// The image file a complete reading left, into the output opened before it.
int SaveImage(OutputFile& saved, const std::filesystem::path& image) {
  std::ifstream in(image, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.bad() && bytes.size() >= kImageSize && saved.Write(bytes) && saved.Commit()) return 0;
  std::cerr << "zt read: "
            << (saved.Failure() != OutputFailure::None ? OutputFailureText(saved)
                                                       : "cannot read " + image.string())
            << "; the recorder's memory is kept in " << image.string() << '\n';
  return kFileError;
}

// The recorder's texts that the writing must send back as they are: the
// parameter block only, read after a reading password.
int ReadRecorderTexts(DeviceSession& session, const LinkRequest& request, RecorderTexts& texts) {
  if (const int rc = OpenForReading(session, request)) return rc;
  std::string block;
  const auto read = session.ReadParameterBlock(block);
  if (read != link::ReadCode::Done) return ReadExit(read);
  if (!ParameterBlockTexts(block, texts)) {
    std::cerr << "zt write: the recorder's parameters did not check; give --enterprise, --branch and --meter\n";
    return kTextsUnknown;
  }
  return 0;
}

// A text from the command line as the recorder keeps it: Windows-1251, at
// most 30 characters, no control characters. nullopt with the reason in error.
std::optional<std::string> RecorderText(const std::string& option, const std::string& utf8, std::string& error) {
  std::string text = Utf8ToCp1251(utf8);
  if (Cp1251ToUtf8(text) != utf8) {
    error = option + " has characters the recorder cannot show";
    return std::nullopt;
  }
  if (text.size() > kRecorderTextLength) {
    error = option + " is " + std::to_string(text.size()) + " characters long; the recorder keeps " +
            std::to_string(kRecorderTextLength) + ": shorten it";
    return std::nullopt;
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c != 0x7F) continue;
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", c);
    error = option + " has the control character " + code + " at character " + std::to_string(i + 1) +
            "; give printable characters only";
    return std::nullopt;
  }
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
  Connection connection(ToolFiles(args->Get("--workdir")));
  const auto code = connection.session.Search(limit);
  if (code == link::SearchCode::Found) {
    const std::string name = link::ComName(connection.session.FoundPort());
    std::cout << name << ' ' << VisibleControls(connection.session.Names().DeviceDescription(name)) << '\n';
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
  if (!out) return UsageError("read", "usage: zt read --port PORT --password N -o FILE.zt");
  const WorkingFiles files = ToolFiles(args->Get("--workdir"));
  const std::filesystem::path image = files.ImageFile();
  // Checked before the reading, which would take its ten seconds only to be refused.
  if (const int rc = RefuseOverlappingFiles("read", {image}, {*out})) return rc;
  OutputFile saved;
  if (!saved.Open(*out, {image})) {
    std::cerr << "zt read: " << OutputFailureText(saved) << "; nothing was read\n";
    return kFileError;
  }
  Connection connection(files);
  if (const int rc = ReadRecorder(connection.session, *request)) return rc;
  return SaveImage(saved, image);
}

int RunWrite(const CommandArgs& argv) {
  std::string error;
  const auto args = ParseArgs(argv, {"--port", "--password", "--workdir", "--baud"}, {"--set-clock"}, error,
                              {"--enterprise", "--branch", "--meter"});
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
    given.*t.field = RecorderText(t.option, *text, error);
    if (!(given.*t.field)) return UsageError("write", error);
  }
  if (!given.enterprise && !given.branch && !given.meter && !parameters.clockCorrection)
    return UsageError("write", "nothing to write: give --enterprise, --branch, --meter or --set-clock");

  Connection connection(ToolFiles(args->Get("--workdir")));
  RecorderTexts current;
  if (!given.All()) {
    // The recorder takes all three texts; those not given are read from it
    // first and written back as they were.
    if (const int rc = ReadRecorderTexts(connection.session, *request, current)) return rc;
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
  if (password != link::PasswordCode::Accepted) return PasswordExit(*request, password);
  const WriteOutcome written = connection.session.Write(parameters);
  if (written.code == link::WriteCode::Written) return 0;
  // Each command stands alone in the recorder: say which ones it has.
  std::cerr << "zt write: " << PartWayText(written) << '\n';
  if (written.code == link::WriteCode::Stopped && gInterrupted) return kInterrupted;
  return kWriteBase + static_cast<int>(written.code);
}

}  // namespace zt::cli
