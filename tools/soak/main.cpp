// zt-soak: many seeded readings and writings by zt against zt-sim, each with
// a random fault schedule, each outcome checked; a summary table at the end.
// Exits 1 on any defect (bytes lost, hang, crash, wrong exit, ...).
#include <stdlib.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <vector>

#include "tools/soak/soak_run.h"
#include "tools/soak/soak_tally.h"
#include "tools/zt/args.h"

namespace {

namespace fs = std::filesystem;
using namespace zt::soak;

constexpr int kUsageError = 64;

const char* const kUsage =
    "usage: zt-soak [--runs N] [--seed S] [--jobs J] [--timeout SEC] [--paced-every K]\n"
    "               [--only N] [--work DIR] [--keep] [--verbose] [--zt PATH] [--sim PATH]\n"
    "  --runs N         schedules to run (100)\n"
    "  --seed S         the soak's seed (1); run N of seed S is always the same schedule\n"
    "  --jobs J         runs at a time (2)\n"
    "  --timeout SEC    a run still going after SEC seconds is a hang (60)\n"
    "  --paced-every K  every Kth run at 38400 baud (20; 0 none); of the others half unpaced, half fast\n"
    "  --only N         run N alone, its commands shown, its folder kept\n"
    "  --work DIR       the runs' folders (a new temporary folder)\n"
    "  --keep           keep every run's folder (only a failed run's is kept otherwise)\n";

struct SoakOptions {
  std::size_t runs = 100;
  std::size_t first = 0;
  PlanSettings plan;
  unsigned jobs = 2;
  std::chrono::seconds timeout{60};
  fs::path work;
  bool keep = false;
  bool verbose = false;
  Programs programs{ZT_PROGRAM, ZT_SIM_PROGRAM};
};

std::optional<SoakOptions> ParseOptions(int argc, char** argv, std::string& error) {
  const auto args = zt::cli::ParseArgs(std::vector<std::string>(argv + 1, argv + argc),
                                       {"--runs", "--seed", "--jobs", "--timeout", "--paced-every", "--only", "--work",
                                        "--zt", "--sim"},
                                       {"--keep", "--verbose"}, error);
  if (!args) return std::nullopt;
  if (!args->positional.empty()) {
    error = "no positional arguments";
    return std::nullopt;
  }
  SoakOptions o;
  const auto number = [&](const char* name, long long low, long long high) -> std::optional<long long> {
    const auto text = args->Get(name);
    if (!text) return std::nullopt;
    const auto n = zt::cli::ParseNumber(*text);
    if (!n || *n < low || *n > high) error = std::string(name) + " takes a number from " + std::to_string(low) + " to " + std::to_string(high);
    return n;
  };
  if (const auto n = number("--runs", 1, 10'000'000)) o.runs = static_cast<std::size_t>(*n);
  if (const auto n = number("--seed", 0, INT64_MAX)) o.plan.seed = static_cast<std::uint64_t>(*n);
  if (const auto n = number("--jobs", 1, 64)) o.jobs = static_cast<unsigned>(*n);
  if (const auto n = number("--timeout", 1, 3600)) o.timeout = std::chrono::seconds(*n);
  if (const auto n = number("--paced-every", 0, 10'000'000)) o.plan.pacedEvery = static_cast<std::size_t>(*n);
  if (const auto n = number("--only", 0, INT64_MAX)) {
    o.first = static_cast<std::size_t>(*n);
    o.runs = 1;
    o.keep = o.verbose = true;
  }
  if (!error.empty()) return std::nullopt;
  if (const auto p = args->Get("--work")) o.work = *p;
  if (const auto p = args->Get("--zt")) o.programs.zt = *p;
  if (const auto p = args->Get("--sim")) o.programs.sim = *p;
  o.keep = o.keep || args->Has("--keep");
  o.verbose = o.verbose || args->Has("--verbose");
  return o;
}

std::string Quoted(const std::vector<std::string>& command) {
  std::string text;
  for (const auto& a : command) {
    const bool plain = !a.empty() && a.find_first_of(" \"'\\$`|&;<>()*?[]#~!") == std::string::npos;
    text += (text.empty() ? "" : " ") + (plain ? a : "'" + a + "'");
  }
  return text;
}

std::string Describe(const RunPlan& plan, const RunResult& result, const SoakOptions& o, const fs::path& folder) {
  std::ostringstream s;
  s << "run " << plan.number << ": " << result.verdict.outcome << ", " << std::fixed << std::setprecision(1)
    << result.seconds << " s";
  if (result.verdict.defect != Defect::None) s << " -- " << DefectName(result.verdict.defect) << ": " << result.verdict.detail;
  s << "\n  " << Quoted(SimCommand(plan, o.programs, folder)) << "\n  " << Quoted(ZtCommand(plan, o.programs, folder, "PTY"))
    << "\n  repeat: zt-soak --seed " << o.plan.seed << " --only " << plan.number << "\n";
  return s.str();
}

fs::path MakeWorkFolder(const SoakOptions& o) {
  if (!o.work.empty()) {
    fs::create_directories(o.work);
    return o.work;
  }
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = (fs::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") / "zt-soak.XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help") {
      std::cout << kUsage;
      return 0;
    }
  }
  const auto options = ParseOptions(argc, argv, error);
  if (!options) {
    std::cerr << "zt-soak: " << error << '\n' << kUsage;
    return kUsageError;
  }
  const SoakOptions& o = *options;
  for (const fs::path& program : {o.programs.zt, o.programs.sim}) {
    if (::access(program.c_str(), X_OK) != 0) {
      std::cerr << "zt-soak: " << program.string() << ": not a program to run\n";
      return kUsageError;
    }
  }
  const fs::path work = MakeWorkFolder(o);
  if (work.empty()) {
    std::cerr << "zt-soak: cannot make a work folder\n";
    return 1;
  }
  // A child's pipe closing early must not end the soak.
  std::signal(SIGPIPE, SIG_IGN);
  std::cout << "zt-soak: seed " << o.plan.seed << ", runs " << o.first << ".." << (o.first + o.runs - 1) << ", "
            << o.jobs << " at a time, in " << work.string() << std::endl;

  const auto started = std::chrono::steady_clock::now();
  SoakTally tally;
  std::mutex lock;
  std::atomic<std::size_t> next{0};
  const auto worker = [&] {
    for (std::size_t i; (i = next++) < o.runs;) {
      const RunPlan plan = MakePlan(o.plan, o.first + i);
      const fs::path folder = work / ("run-" + std::to_string(plan.number));
      const RunResult result = CarryOut(plan, o.programs, folder, o.timeout);
      const bool failed = result.verdict.defect != Defect::None;
      if (!failed && !o.keep) fs::remove_all(folder);
      const std::lock_guard<std::mutex> hold(lock);
      tally.Add(plan, result.verdict, result.seconds);
      if (failed || o.verbose) std::cout << Describe(plan, result, o, folder) << std::flush;
    }
  };
  std::vector<std::thread> workers;
  for (unsigned j = 0; j < o.jobs; ++j) workers.emplace_back(worker);
  for (auto& w : workers) w.join();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  std::cout << '\n';
  tally.Print(std::cout, seconds);
  if (tally.Defects() == 0 && !o.keep) {
    std::error_code ec;
    if (o.work.empty()) fs::remove_all(work, ec);
  } else {
    std::cout << "run folders kept in " << work.string() << '\n';
  }
  return tally.Defects() == 0 ? 0 : 1;
}
