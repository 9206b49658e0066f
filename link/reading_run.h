// The reading run: pages 0 .. 511 of the recorder's memory into the image file.
//
// Host: after the password step accepted a reading (port open), create the run
// over the protocol, the messages and the working files, call Start() (the
// window's first 100 ms tick) and then Tick() every 5 ms while Running().
// Replies are taken as they complete, inside the data event, so the next page
// goes out at once; ticks count the time-outs. Replies carry no page number:
// after a time-out the page is sent again only once the line has been quiet,
// and once a reply to it stands, the next page waits for the line to be quiet
// again, its bytes dropped, as the page's other sends may still be answered
// (with the same bytes). RequestStop() is "Стоп"/Esc;
// Close() is the window closing while the run goes on. Every ending shows its
// message and closes the port. When Finished() with Code() Done, the image
// file holds all 32768 bytes: set the device-read flag and load the image into
// the main window. Any other ending leaves the image file as it was before.
#pragma once

#include <cstdint>
#include <filesystem>

#include "core/messages.h"
#include "core/output_file.h"
#include "core/working_files.h"
#include "link/link_run.h"
#include "link/quiet_line.h"

namespace zt::link {

inline constexpr int kReadingTickMs = 5;
inline constexpr std::uint16_t kPagesToRead = 512;
inline constexpr std::uint16_t kReadTimeoutStep = 46;
inline constexpr std::uint16_t kReadReopenStep = 47;
// Waiting for a quiet line before the page is sent again, and before the next
// page after one that timed out.
inline constexpr std::uint16_t kReadQuietBeforeResendStep = 48;
inline constexpr std::uint16_t kReadQuietBeforeNextPageStep = 49;
inline constexpr int kReadGaugeMax = 511;

enum class ReadCode : std::uint8_t {
  Done = 0,        // all 512 pages stored
  Stopped = 1,     // by the operator
  FileFailed = 2,  // the image file could not be written
  NoReply = 3,     // 10 sends of one page without an accepted reply
  PortFailed = 4,  // port lost or could not be re-opened
};

// The message an ending shows; none for Done.
std::optional<RunMessage> ReadFinishMessage(ReadCode code);

class ReadingRun final : public LinkRun {
 public:
  ReadingRun(LinkProtocol& protocol, Messages& messages, const WorkingFiles& files);

  void Start();
  void Tick();
  void Close();

  ReadCode Code() const { return code_; }
  bool DeviceRead() const { return Finished() && code_ == ReadCode::Done; }
  std::uint16_t Page() const { return page_; }
  std::uint16_t Step() const { return step_; }
  int Gauge() const { return gauge_; }
  const std::filesystem::path& ImageFile() const { return imageFile_; }

  // From the protocol.
  void PageRequested() override;
  bool StorePage(std::string_view page) override;
  void ReplyCompleted() override;

 private:
  // The request of a new page.
  void SendPage();
  // The checks of a waiting step: stop, port error, reply complete.
  void CheckWaiting();
  void WaitForQuiet(std::uint16_t step);
  // The ticks on a quiet line, then the send the step waits for.
  void StepQuiet();
  void Finish(ReadCode code);

  std::filesystem::path imageFile_;
  OutputFile image_;
  std::uint16_t page_ = 0;
  std::uint16_t step_ = 0;
  // The page was sent more than once: a reply to another of its sends may follow.
  bool timedOut_ = false;
  QuietLine quiet_;
  bool storeFailed_ = false;
  ReadCode code_ = ReadCode::Done;
  int gauge_ = 0;
};

}  // namespace zt::link
