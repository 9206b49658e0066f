// Reading only the recorder's parameter block (pages 508 .. 511) into memory:
// what zt write needs to know of the recorder, without the ten seconds of a
// whole reading and without touching the image file.
//
// Host: as for the reading run, after an accepted reading password: Start(),
// then Tick() every 5 ms while Running(); RequestStop() is Esc. Waits, retries
// (45 ticks a send, the port closed and opened again, 10 sends of a page at
// most), endings and their messages are the reading run's.
#pragma once

#include <string>
#include <string_view>

#include "core/device_image.h"
#include "core/messages.h"
#include "link/link_run.h"
#include "link/reading_run.h"

namespace zt::cli {

inline constexpr int kParameterPages = static_cast<int>(kParameterBlock.size / kPageSize);

class ParameterBlockReading final : public link::LinkRun {
 public:
  ParameterBlockReading(link::LinkProtocol& protocol, Messages& messages) : LinkRun(protocol, messages) {}

  void Start();
  void Tick();

  link::ReadCode Code() const { return code_; }
  int PagesRead() const { return static_cast<int>(block_.size() / kPageSize); }
  // The 256 bytes of the block once Code() is Done.
  const std::string& Block() const { return block_; }

  bool StorePage(std::string_view page) override;
  void ReplyCompleted() override;

 private:
  void SendPage();
  void Finish(link::ReadCode code);

  std::string block_;
  int waitedTicks_ = 0;
  bool reopen_ = false;
  link::ReadCode code_ = link::ReadCode::Done;
};

}  // namespace zt::cli
