#include "tools/soak/run_verdict.h"

#include <algorithm>

#include "core/cp1251.h"
#include "link/password_step.h"
#include "link/reading_run.h"
#include "link/writing_run.h"
#include "sim/recorder_memory.h"
#include "tools/soak/writing_steps.h"

namespace zt::soak {
namespace {

// zt's exit codes for the endings a fault can bring (its documented table).
constexpr int kPasswordBase = 10;
constexpr int kReadBase = 20;
constexpr int kWriteBase = 30;

struct ExitMeaning {
  std::string name;
  std::string message;  // UTF-8, as zt prints it; a writing error is followed by the recorder's text
};

std::optional<ExitMeaning> MeaningOf(int code, Operation operation) {
  using link::PasswordCode, link::ReadCode, link::WriteCode;
  const auto text = [](const std::optional<link::RunMessage>& m) { return m ? Cp1251ToUtf8(m->text) : std::string(); };
  const auto password = [&](PasswordCode c) { return text(link::PasswordFinishMessage(c)); };
  const auto read = [&](ReadCode c) { return text(link::ReadFinishMessage(c)); };
  const auto write = [&](WriteCode c) { return text(link::WriteFinishMessage(c, "")); };
  switch (code) {
    case 0: return ExitMeaning{"done", ""};
    case kPasswordBase + static_cast<int>(PasswordCode::PortFailed):
      return ExitMeaning{"password: port failed", password(PasswordCode::PortFailed)};
    case kPasswordBase + static_cast<int>(PasswordCode::Rejected):
      return ExitMeaning{"password: refused", password(PasswordCode::Rejected)};
    case kPasswordBase + static_cast<int>(PasswordCode::NoReply):
      return ExitMeaning{"password: no reply", password(PasswordCode::NoReply)};
    case kReadBase + static_cast<int>(ReadCode::NoReply):
      return ExitMeaning{"reading: no reply to a page", read(ReadCode::NoReply)};
    case kReadBase + static_cast<int>(ReadCode::PortFailed):
      return ExitMeaning{"reading: port lost", read(ReadCode::PortFailed)};
    default: break;
  }
  if (operation != Operation::Write) return std::nullopt;
  if (code == kWriteBase + static_cast<int>(WriteCode::DeviceError))
    return ExitMeaning{"writing: the recorder's error", write(WriteCode::DeviceError)};
  if (code == kWriteBase + static_cast<int>(WriteCode::NoLink))
    return ExitMeaning{"writing: no link", write(WriteCode::NoLink)};
  return std::nullopt;
}

// Bytes that differ, a missing or extra file counting whole.
std::size_t Differing(const std::optional<std::string>& want, const std::optional<std::string>& got) {
  if (!want && !got) return 0;
  if (!want || !got) return std::max<std::size_t>(1, (want ? *want : *got).size());
  const std::size_t common = std::min(want->size(), got->size());
  std::size_t n = std::max(want->size(), got->size()) - common;
  for (std::size_t i = 0; i < common; ++i) n += (*want)[i] != (*got)[i] ? 1 : 0;
  return n;
}

// The closest of the acceptable contents: 0 when the file is one of them.
std::size_t DifferingFromAll(const std::vector<std::optional<std::string>>& wants, const std::optional<std::string>& got) {
  std::size_t best = SIZE_MAX;
  for (const auto& want : wants) best = std::min(best, Differing(want, got));
  return best;
}

std::optional<std::string> Cp1251(const std::optional<std::string>& utf8) {
  if (!utf8) return std::nullopt;
  return Utf8ToCp1251(*utf8);
}

// The memory after each command of the writing; the clock as the recorder
// took it when it lies within the run, else the run's first minute.
std::vector<std::optional<std::string>> WritingStages(const RunPlan& plan, const RunEvidence& e) {
  WritingAsked asked{Cp1251(plan.enterprise), Cp1251(plan.branch), Cp1251(plan.meter), std::nullopt};
  if (plan.setClock) {
    std::uint32_t clock = e.clockFrom;
    if (e.memoryAfter && e.memoryAfter->size() == e.memory.size()) {
      const std::uint32_t taken = sim::RecorderMemory(*e.memoryAfter).Clock();
      if (taken >= e.clockFrom && taken <= e.clockTo) clock = taken;
    }
    asked.clockMinutes = clock;
  }
  std::vector<std::optional<std::string>> stages;
  for (auto& s : WritingSteps(e.memory, asked)) stages.emplace_back(std::move(s));
  return stages;
}

struct FileCheck {
  const char* name;
  std::size_t differing;
};

Verdict Lost(Verdict v, const std::vector<FileCheck>& checks, const std::string& what) {
  std::string files;
  for (const auto& c : checks) {
    v.bytesLost += c.differing;
    if (c.differing > 0) files += std::string(files.empty() ? "" : ", ") + c.name + " (" + std::to_string(c.differing) + " bytes)";
  }
  if (v.bytesLost > 0) {
    v.defect = Defect::BytesLost;
    v.detail = what + ": " + files;
  }
  return v;
}

}  // namespace

Verdict Judge(const RunPlan& plan, const RunEvidence& e) {
  const bool reading = plan.operation == Operation::Read;
  Verdict v;
  v.outcome = std::string(reading ? "read" : "write") + ": ";
  if (!e.simStarted) return {v.outcome + "no simulator", Defect::Simulator, 0, "zt-sim did not print its port: " + e.simErrors};
  if (e.zt.timedOut) return {v.outcome + "hang", Defect::Hang, 0, "zt was killed at the deadline"};
  if (!e.zt.exited) return {v.outcome + "crash", Defect::Crash, 0, "zt: " + EndText(e.zt)};
  if (e.sim.timedOut) return {v.outcome + "simulator hang", Defect::Hang, 0, "zt-sim did not end on SIGTERM"};
  if (!e.sim.exited) return {v.outcome + "simulator crash", Defect::Crash, 0, "zt-sim: " + EndText(e.sim)};
  if (e.simErrors.find("could not save") != std::string::npos)
    return {v.outcome + "simulator failed", Defect::Simulator, 0, e.simErrors};

  const auto meaning = MeaningOf(e.zt.code, plan.operation);
  v.outcome += (meaning ? meaning->name : "exit") + " (" + std::to_string(e.zt.code) + ")";
  const std::optional<std::string> memory = e.memory;
  const auto stages = reading ? std::vector<std::optional<std::string>>{memory} : WritingStages(plan, e);

  if (e.zt.code == 0 && plan.passwordGiven != std::to_string(plan.password)) {
    v.defect = Defect::WrongExit;
    v.detail = "a wrong password was taken";
    return v;
  }
  if (e.zt.code == 0) {
    // A writing reads only the parameter block, into memory: the image file stays.
    const std::optional<std::string> image = reading ? memory : e.imageBefore;
    const std::optional<std::string> output = reading ? memory : e.outputBefore;
    v = Lost(v,
             {{"recorder", Differing(stages.back(), e.memoryAfter)},
              {"Work/cur_Rep.000", Differing(image, e.imageAfter)},
              {"-o file", Differing(output, e.outputAfter)}},
             "success without the right bytes");
  } else {
    if (!meaning) {
      v.defect = Defect::WrongExit;
      v.detail = "an exit code not documented for this failure; stderr: " + e.ztErrors;
      return v;
    }
    if (meaning->message.empty() || e.ztErrors.find(meaning->message) == std::string::npos) {
      v.defect = Defect::WrongExit;
      v.detail = "no \"" + meaning->message + "\" on stderr: " + e.ztErrors;
      return v;
    }
    v = Lost(v,
             {{"recorder", DifferingFromAll(stages, e.memoryAfter)},
              {"Work/cur_Rep.000", Differing(e.imageBefore, e.imageAfter)},
              {"-o file", Differing(e.outputBefore, e.outputAfter)}},
             "a failure changed files");
  }
  if (v.defect != Defect::None) return v;
  if (!e.leftovers.empty()) {
    v.defect = Defect::LeftoverFile;
    for (const auto& f : e.leftovers) v.detail += f + " ";
    return v;
  }
  if (e.zt.code != 0 && plan.mustSucceed) {
    v.defect = Defect::FailedWithoutCause;
    v.detail = "no fault of the schedule explains the failure; stderr: " + e.ztErrors;
  }
  return v;
}

std::string DefectName(Defect defect) {
  switch (defect) {
    case Defect::None: return "none";
    case Defect::BytesLost: return "bytes lost";
    case Defect::Hang: return "hang";
    case Defect::Crash: return "crash";
    case Defect::WrongExit: return "wrong exit or message";
    case Defect::LeftoverFile: return "temporary file left";
    case Defect::FailedWithoutCause: return "failed without cause";
    case Defect::Simulator: return "simulator failure";
  }
  return "?";
}

}  // namespace zt::soak
