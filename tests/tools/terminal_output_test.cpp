// The small pieces the zt commands put on a terminal: device texts made safe,
// the progress line, the account of a writing that stopped part-way, and the
// reading of the command line.
#include <gtest/gtest.h>

#include <sstream>

#include "tools/zt/args.h"
#include "tools/zt/progress_line.h"
#include "tools/zt/terminal_text.h"
#include "tools/zt/write_outcome.h"

namespace zt::cli {
namespace {

using link::CommandType;
using link::WriteCode;

TEST(TerminalText, ControlCharactersBecomeTheirVisibleSymbols) {
  const struct {
    std::string cp1251;
    std::string utf8;
  } cases[] = {
      {"Gas Co", "Gas Co"},
      {"\xCE\xCE\xCE \"\xC3\xE0\xE7\"", "ООО \"Газ\""},
      {"A\x1B[2JB", "A␛[2JB"},
      {"bell\x07", "bell␇"},
      {"two\r\nlines", "two␍␊lines"},
      {std::string("nul\0x", 5), "nul␀x"},
      {"tab\there", "tab␉here"},
      {"del\x7F", "del␡"},
      {"\x1F", "␟"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TerminalText(c.cp1251), c.utf8) << c.utf8;
  // A UTF-8 name keeps its characters; only its controls change.
  EXPECT_EQ(VisibleControls("Отчёт\n日本.zt"), "Отчёт␊日本.zt");
}

TEST(ProgressLine, RewritesItselfInPlaceOnlyOnATerminal) {
  EXPECT_EQ(ProgressText("reading", 128, 512, "pages"), "reading: 128 of 512 pages");

  std::ostringstream terminal;
  {
    ProgressLine line(terminal, true);
    line.Show("reading: 9 of 512 pages");
    line.Show("reading: 9 of 512 pages");  // unchanged: nothing written
    line.Show("reading: 10 of 512 pages");
    line.Show("writing: 1 of 4 steps");  // shorter: blanks over the rest
  }  // cleared when it goes
  EXPECT_EQ(terminal.str(),
            "\rreading: 9 of 512 pages"
            "\rreading: 10 of 512 pages"
            "\rwriting: 1 of 4 steps   "
            "\r                        \r");

  std::ostringstream cleared;
  ProgressLine line(cleared, true);
  line.Show("a: 1 of 2 b");
  line.Show("");
  line.Clear();  // already clear
  EXPECT_EQ(cleared.str(), "\ra: 1 of 2 b\r           \r");

  std::ostringstream pipe;
  {
    ProgressLine off(pipe, false);
    off.Show("reading: 1 of 512 pages");
  }
  EXPECT_EQ(pipe.str(), "");
}

TEST(WriteOutcome, SaysWhichCommandsTheRecorderTook) {
  using T = CommandType;
  const struct {
    WriteCode code;
    std::uint16_t next;  // the command the run would have issued next
    bool lastAcknowledged;
    bool clock;
    std::vector<T> taken;
    std::optional<T> unanswered;
    std::vector<T> notSent;
    const char* text;
  } cases[] = {
      {WriteCode::Written, 8, true, true, {T::SetClock, T::WriteEnterprise, T::WriteBranch, T::WriteMeter}, {}, {},
       "the recorder took --set-clock, --enterprise, --branch and --meter"},
      {WriteCode::DeviceError, 7, false, false, {T::WriteEnterprise}, T::WriteBranch, {T::WriteMeter},
       "the recorder took --enterprise; it refused --branch; --meter was not sent"},
      // The clock not asked for is neither taken nor missing.
      {WriteCode::NoLink, 6, false, false, {}, T::WriteEnterprise, {T::WriteBranch, T::WriteMeter},
       "the recorder took nothing; --enterprise was sent but not acknowledged, so the recorder may or may not have "
       "it; --branch and --meter were not sent"},
      {WriteCode::NoLink, 5, false, true, {}, T::SetClock, {T::WriteEnterprise, T::WriteBranch, T::WriteMeter},
       "the recorder took nothing; --set-clock was sent but not acknowledged, so the recorder may or may not have "
       "it; --enterprise, --branch and --meter were not sent"},
      // Stopped just after an acknowledgement, before the next command went out.
      {WriteCode::Stopped, 6, true, true, {T::SetClock, T::WriteEnterprise}, {}, {T::WriteBranch, T::WriteMeter},
       "the recorder took --set-clock and --enterprise; --branch and --meter were not sent"},
      {WriteCode::Stopped, 5, true, false, {}, {}, {T::WriteEnterprise, T::WriteBranch, T::WriteMeter},
       "the recorder took nothing; --enterprise, --branch and --meter were not sent"},
  };
  for (const auto& c : cases) {
    const WriteOutcome outcome = WriteOutcomeOf(c.code, c.next, c.lastAcknowledged, c.clock);
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(outcome.taken, c.taken) << c.text;
    EXPECT_EQ(outcome.unanswered, c.unanswered) << c.text;
    EXPECT_EQ(outcome.notSent, c.notSent) << c.text;
    EXPECT_EQ(PartWayText(outcome), c.text);
  }
}

TEST(ParseArgs, RepeatedOptionsAndEmptyNamesAreRefused) {
  const std::set<std::string> values = {"-o", "--workdir"};
  const std::set<std::string> flags = {"--short"};
  const std::set<std::string> texts = {"--meter"};
  const struct {
    std::vector<std::string> argv;
    const char* error;  // "" when the arguments are taken
  } cases[] = {
      {{"a.zt", "-o", "out", "--short"}, ""},
      {{"--meter", ""}, ""},  // a text may be empty: the recorder gets 30 blanks
      {{"-o", "x", "-o", "y"}, "option -o is given twice; give it once"},
      {{"--short", "--short"}, "option --short is given twice; give it once"},
      {{"--meter", "a", "--meter", "b"}, "option --meter is given twice; give it once"},
      {{"--workdir", ""}, "option --workdir is empty; give it a value"},
      {{"-o", ""}, "option -o is empty; give it a value"},
      {{""}, "an empty file name; give the file's name"},
      {{"-o"}, "option -o needs a value"},
      {{"-h"}, "unknown option -h"},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto args = ParseArgs(c.argv, values, flags, error, texts);
    EXPECT_EQ(args.has_value(), std::string(c.error).empty()) << c.error;
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
}  // namespace zt::cli
