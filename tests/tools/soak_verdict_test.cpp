// The soak's judgement of a run: each kind of defect is told from a clean
// outcome, so a soak that reports nothing has looked.
#include "tools/soak/run_verdict.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

#include "core/cp1251.h"
#include "core/device_image.h"
#include "core/sample_image.h"

namespace zt::soak {
namespace {

// The image with a text written as the recorder stores it: 30 characters
// padded with blanks, the 31st kept, then the field's check byte.
std::string WithText(std::string image, std::size_t field, std::string_view cp1251) {
  const std::size_t at = kParameterBlock.start + field;
  image.replace(at, 30, (std::string(cp1251) + std::string(30, ' ')).substr(0, 30));
  image[at + param::kTextLength] = static_cast<char>(TextCheckByte(std::string_view(image).substr(at, param::kTextLength)));
  return image;
}

struct VerdictCase {
  const char* name;
  Operation operation;
  std::function<void(RunPlan&, RunEvidence&)> change;
  Defect defect;
  std::size_t bytesLost;
};

class SoakVerdict : public ::testing::TestWithParam<VerdictCase> {};

// A clean reading: the recorder's memory in both files, old files replaced.
// A clean writing of all three texts: the recorder holds them.
void CleanRun(Operation operation, RunPlan& plan, RunEvidence& e) {
  plan.operation = operation;
  plan.password = 1234;
  plan.passwordGiven = "1234";
  e.simStarted = true;
  e.zt.exited = e.sim.exited = true;
  // The recorder's meter differs from the one a writing gives in one character.
  e.memory = WithText(GenerateSampleImage(5), param::kMeter, "G-41");
  e.imageBefore = GenerateSampleImage(6);
  e.outputBefore = "the operator's earlier file";
  if (operation == Operation::Read) {
    e.memoryAfter = e.imageAfter = e.outputAfter = e.memory;
    return;
  }
  plan.enterprise = "Газ";
  plan.branch = "Ветка 2";
  plan.meter = "G-40";
  e.memoryAfter = WithText(WithText(WithText(e.memory, param::kEnterprise, "Газ"_cp), param::kBranch, "Ветка 2"_cp),
                           param::kMeter, "G-40");
  e.imageAfter = e.imageBefore;
  e.outputAfter = e.outputBefore;
}

// A failure as zt ends it: the exit code and the message of the run on
// stderr, every file as it was, the schedule one that may fail.
void Failed(RunPlan& p, RunEvidence& e, int code, std::string_view cp1251Message) {
  p.mustSucceed = false;
  e.zt.code = code;
  e.ztErrors = Cp1251ToUtf8(cp1251Message) + "\n";
  e.memoryAfter = e.memory;
  e.imageAfter = e.imageBefore;
  e.outputAfter = e.outputBefore;
}

const VerdictCase kCases[] = {
    {"a clean reading", Operation::Read, [](RunPlan&, RunEvidence&) {}, Defect::None, 0},
    {"a reading whose -o file differs in a byte", Operation::Read,
     [](RunPlan&, RunEvidence& e) { (*e.outputAfter)[100] ^= 1; }, Defect::BytesLost, 1},
    {"a reading that failed and kept both files", Operation::Read,
     [](RunPlan& p, RunEvidence& e) { Failed(p, e, 23, "Ошибка чтения!!!"_cp); }, Defect::None, 0},
    {"a failed reading that cut the image file short", Operation::Read,
     [](RunPlan& p, RunEvidence& e) {
       Failed(p, e, 24, "Ошибка открытия порта RS!!!"_cp);
       e.imageAfter = e.imageBefore->substr(0, 64 * 100);
     },
     Defect::BytesLost, 32768 - 6400},
    {"a failure without its message", Operation::Read,
     [](RunPlan& p, RunEvidence& e) { Failed(p, e, 23, "Ошибка открытия порта RS!!!"_cp); }, Defect::WrongExit, 0},
    {"an exit code no failure has", Operation::Read, [](RunPlan& p, RunEvidence& e) { Failed(p, e, 64, ""); },
     Defect::WrongExit, 0},
    {"zt killed at the deadline", Operation::Read,
     [](RunPlan&, RunEvidence& e) { e.zt = {false, 0, 9, true}; }, Defect::Hang, 0},
    {"zt dead of a signal", Operation::Read, [](RunPlan&, RunEvidence& e) { e.zt = {false, 0, 11, false}; },
     Defect::Crash, 0},
    {"the simulator dead of a signal", Operation::Read,
     [](RunPlan&, RunEvidence& e) { e.sim = {false, 0, 6, false}; }, Defect::Crash, 0},
    {"a temporary file left", Operation::Read,
     [](RunPlan&, RunEvidence& e) { e.leftovers = {"Work/.cur_Rep.000.zt-tmp.AbC123"}; }, Defect::LeftoverFile, 0},
    {"a failure no fault explains", Operation::Read,
     [](RunPlan& p, RunEvidence& e) {
       Failed(p, e, 23, "Ошибка чтения!!!"_cp);
       p.mustSucceed = true;
     },
     Defect::FailedWithoutCause, 0},
    {"a wrong password taken", Operation::Read, [](RunPlan& p, RunEvidence&) { p.passwordGiven = "4321"; },
     Defect::WrongExit, 0},
    {"a clean writing", Operation::Write, [](RunPlan&, RunEvidence&) {}, Defect::None, 0},
    {"a writing that reports success with the meter unwritten", Operation::Write,
     [](RunPlan&, RunEvidence& e) {
       e.memoryAfter = WithText(WithText(e.memory, param::kEnterprise, "Газ"_cp), param::kBranch, "Ветка 2"_cp);
     },
     Defect::BytesLost, 2},  // the character and the check byte
    {"a writing that stopped after its first text", Operation::Write,
     [](RunPlan& p, RunEvidence& e) {
       Failed(p, e, 33, "Ошибка - связи с прибором!!!"_cp);
       e.memoryAfter = WithText(e.memory, param::kEnterprise, "Газ"_cp);
     },
     Defect::None, 0},
    {"a writing that stopped with a text half written", Operation::Write,
     [](RunPlan& p, RunEvidence& e) {
       Failed(p, e, 33, "Ошибка - связи с прибором!!!"_cp);
       e.memoryAfter = WithText(e.memory, param::kEnterprise, "Газ"_cp);
       (*e.memoryAfter)[kParameterBlock.start + param::kBranch] = 'X';
     },
     Defect::BytesLost, 1},
};

TEST_P(SoakVerdict, TellsTheDefect) {
  const VerdictCase& c = GetParam();
  RunPlan plan;
  RunEvidence evidence;
  CleanRun(c.operation, plan, evidence);
  c.change(plan, evidence);
  const Verdict v = Judge(plan, evidence);
  EXPECT_EQ(v.defect, c.defect) << DefectName(v.defect) << ": " << v.detail;
  EXPECT_EQ(v.bytesLost, c.bytesLost);
}

INSTANTIATE_TEST_SUITE_P(Cases, SoakVerdict, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<VerdictCase>& param) {
                           std::string name;
                           for (const char* p = param.param.name; *p != '\0'; ++p)
                             name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                           return name;
                         });

TEST(SoakVerdictOutcome, NamesTheEnding) {
  RunPlan plan;
  RunEvidence e;
  CleanRun(Operation::Write, plan, e);
  Failed(plan, e, 32, "Ошибка RS - ошибка записи во флеш"_cp);
  EXPECT_EQ(Judge(plan, e).outcome, "write: writing: the recorder's error (32)");
}

}  // namespace
}  // namespace zt::soak
