// A protocol over the fake line with the recorder on COM2, and a log that keeps
// what it was given.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/clock.h"
#include "core/protocol_log.h"
#include "link/link_protocol.h"
#include "tests/link/fake_channel.h"
#include "tests/link/fake_recorder.h"

namespace zt::link::fake {

class TrafficLog final : public ProtocolLog {
 public:
  void LogFrame(Direction, std::string_view) override {}
  void LogTraffic(Direction direction, std::string_view bytes) override {
    entries.emplace_back(direction, std::string(bytes));
  }
  std::vector<std::pair<Direction, std::string>> entries;
};

struct LinkFixture {
  LinkFixture() {
    probe.SetPresent("COM2", true);
    channel.SetDeviceName("COM2");
    channel.Attach("COM2", recorder.AsResponder());
  }
  // Ticks `tick` and hands replies over until `done` holds or `limit` ticks passed;
  // returns the ticks used.
  template <typename Tick, typename Done>
  int Drive(Tick tick, Done done, int limit) {
    int ticks = 0;
    while (!done() && ticks < limit) {
      tick();
      ++ticks;
      channel.Pump();
    }
    return ticks;
  }

  FakeSerialChannel channel;
  FakePortProbe probe;
  FakeRecorder recorder;
  TrafficLog log;
  FixedClock clock{LocalDateTime{2024, 3, 5, 14, 7, 0}};
  LinkProtocol protocol{channel, probe, log, clock};
};

}  // namespace zt::link::fake
