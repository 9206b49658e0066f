#include "tools/soak/soak_run.h"

#include <csignal>
#include <fstream>
#include <iterator>
#include <optional>

#include "core/clock.h"
#include "core/sample_image.h"
#include "core/temp_file_names.h"
#include "sim/recorder_memory.h"
#include "tools/soak/spawned_program.h"

namespace zt::soak {
namespace {

namespace fs = std::filesystem;

constexpr std::chrono::seconds kSimLimit{5};

struct RunFiles {
  explicit RunFiles(const fs::path& folder)
      : recorder(folder / "recorder.zt"),
        program(folder / "prog"),
        image(folder / "prog" / "Work" / "cur_Rep.000"),
        output(folder / "out" / "out.zt"),
        ztErrors(folder / "zt.err"),
        ztOutput(folder / "zt.out"),
        simErrors(folder / "sim.err") {}
  fs::path recorder, program, image, output, ztErrors, ztOutput, simErrors;
};

std::optional<std::string> ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The PC's local time as the recorder counts it, in minutes since 01.01.2000.
std::uint32_t RecorderMinutesNow() {
  const LocalDateTime t = SystemClock().Now();
  const auto minute = static_cast<std::uint8_t>(t.minute);
  const sim::ClockBytes bytes{static_cast<std::uint8_t>(~minute), minute, static_cast<std::uint8_t>(t.hour),
                              static_cast<std::uint8_t>(t.day), static_cast<std::uint8_t>(t.month),
                              static_cast<std::uint8_t>(t.year - 2000)};
  return sim::ClockMinutes(bytes).value_or(0);
}

std::vector<std::string> Leftovers(const std::vector<fs::path>& folders) {
  std::vector<std::string> found;
  for (const auto& folder : folders) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
      if (IsTempFileName(entry.path().filename().string())) found.push_back(entry.path().string());
    }
  }
  return found;
}

}  // namespace

std::vector<std::string> SimCommand(const RunPlan& plan, const Programs& programs, const fs::path& folder) {
  std::vector<std::string> args{programs.sim.string(), "--image", RunFiles(folder).recorder.string(), "--save",
                                "--baud", std::to_string(plan.baud), "--password", std::to_string(plan.password)};
  for (const auto& fault : plan.faults) {
    args.push_back("--fault");
    args.push_back(fault);
  }
  return args;
}

std::vector<std::string> ZtCommand(const RunPlan& plan, const Programs& programs, const fs::path& folder,
                                   const std::string& port) {
  const RunFiles files(folder);
  const bool reading = plan.operation == Operation::Read;
  std::vector<std::string> args{programs.zt.string(), reading ? "read" : "write", "--port", port, "--password",
                                plan.passwordGiven};
  if (reading) {
    args.insert(args.end(), {"-o", files.output.string()});
  } else {
    if (plan.enterprise) args.insert(args.end(), {"--enterprise", *plan.enterprise});
    if (plan.branch) args.insert(args.end(), {"--branch", *plan.branch});
    if (plan.meter) args.insert(args.end(), {"--meter", *plan.meter});
    if (plan.setClock) args.push_back("--set-clock");
  }
  args.insert(args.end(), {"--workdir", files.program.string()});
  return args;
}

RunResult CarryOut(const RunPlan& plan, const Programs& programs, const fs::path& folder, std::chrono::seconds timeout) {
  const auto started = std::chrono::steady_clock::now();
  const RunFiles files(folder);
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(files.image.parent_path());
  fs::create_directories(files.output.parent_path());

  RunEvidence e;
  e.memory = GenerateSampleImage(plan.imageSeed);
  WriteFile(files.recorder, e.memory);
  if (plan.previousImageSeed) {
    e.imageBefore = GenerateSampleImage(*plan.previousImageSeed);
    WriteFile(files.image, *e.imageBefore);
  }
  if (plan.previousOutput) {
    e.outputBefore = plan.previousOutput;
    WriteFile(files.output, *e.outputBefore);
  }

  SpawnedProgram sim(SimCommand(plan, programs, folder), files.simErrors);
  const auto port = sim.FirstLine(kSimLimit);
  e.simStarted = port.has_value();
  if (e.simStarted) {
    e.clockFrom = RecorderMinutesNow();
    SpawnedProgram zt(ZtCommand(plan, programs, folder, *port), files.ztErrors, files.ztOutput);
    e.zt = zt.Wait(timeout);
    e.clockTo = RecorderMinutesNow();
  }
  sim.Signal(SIGTERM);
  e.sim = sim.Wait(kSimLimit);

  e.ztErrors = ReadFile(files.ztErrors).value_or("");
  e.simErrors = ReadFile(files.simErrors).value_or("");
  e.memoryAfter = ReadFile(files.recorder);
  e.imageAfter = ReadFile(files.image);
  e.outputAfter = ReadFile(files.output);
  e.leftovers = Leftovers({files.image.parent_path(), files.output.parent_path(), folder});

  RunResult result;
  result.verdict = Judge(plan, e);
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

}  // namespace zt::soak
