#include "link/device_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "core/cp1251.h"
#include "tests/link/link_fixture.h"
#include "tests/link/temp_folder.h"

namespace zt::link {
namespace {

using fake::FakeRecorder;

class DeviceSearchTest : public ::testing::Test, protected fake::LinkFixture {
 protected:
  DeviceSearchTest() {
    channel.Detach("COM2");
    probe.SetPresent("COM2", false);
  }

  // A recorder (or a silent device) on a present port.
  FakeRecorder& Device(int port, bool silent = false) {
    auto& r = devices_.emplace_back(std::make_unique<FakeRecorder>());
    r->silent = silent;
    const std::string name = "COM" + std::to_string(port);
    probe.SetPresent(name, true);
    channel.Attach(name, r->AsResponder());
    return *r;
  }
  int Run(int limit = 2000) {
    return Drive([&] { search.Tick(); }, [&] { return search.Finished(); }, limit);
  }
  std::vector<std::string> WritesTo(const std::string& port) const {
    std::vector<std::string> out;
    for (const auto& w : channel.Writes())
      if (w.port == port) out.push_back(w.bytes);
    return out;
  }
  // How many ports the scan probed: the run COM1, COM2, ... in the probe's record.
  std::size_t ScanProbes() const {
    const auto& probed = probe.Probed();
    const auto first = std::find(probed.begin(), probed.end(), "COM1");
    std::size_t n = 0;
    for (auto it = first; it != probed.end() && *it == "COM" + std::to_string(n + 1); ++it) ++n;
    return n;
  }

  fake::TempFolder folder;
  SearchSettings settings;
  DeviceSearch search{protocol, probe, settings, folder.Files()};
  std::vector<std::unique_ptr<FakeRecorder>> devices_;
};

constexpr std::string_view kFound = "стоп \"ZT\" найден"_cp;
constexpr std::string_view kNotFound = "стоп \"ZT\" не найден"_cp;
std::string Next(int port) { return std::string("следующ-COM"_cp) + std::to_string(port); }

TEST_F(DeviceSearchTest, RememberedPortAnswersAtOnce) {
  settings.tryRemembered = true;
  settings.rememberedPort = 3;
  Device(3);
  search.Start();
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_EQ(channel.Opens(), 1);
  EXPECT_EQ(WritesTo("COM3"), std::vector<std::string>{std::string(4, '\0')});
  // No scan: the only look at a port is the send path's presence check.
  EXPECT_EQ(probe.Probed(), std::vector<std::string>{"COM3"});
  EXPECT_EQ(channel.DeviceName(), "COM3");
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(channel.BaudRate(), 38400);
  EXPECT_EQ(fake::TempFolder::Read(folder.Files().RememberedPortFile()), "3\r\n");
  EXPECT_EQ(search.TraceLines(), std::vector<std::string>{std::string(kFound)});
  EXPECT_FALSE(search.ProgressVisible());
  EXPECT_EQ(protocol.SerialNumberText(), "04096");
}

TEST_F(DeviceSearchTest, SilentRememberedPortFallsBackToTheScan) {
  settings.tryRemembered = true;
  settings.rememberedPort = 3;
  Device(3, true);
  Device(5);
  search.Start();
  // Follow COM3 tick by tick: one Identify, 13 waiting ticks, then given up.
  int sentAt = -1;
  int tick = 0;
  while (search.Phase() != SearchPhase::Start || sentAt < 0) {
    search.Tick();
    channel.Pump();
    ++tick;
    if (sentAt < 0 && !channel.Writes().empty()) sentAt = tick;
    ASSERT_LT(tick, 100);
  }
  EXPECT_EQ(tick - sentAt, 14);  // 13 waiting ticks and the give-up tick
  EXPECT_FALSE(settings.tryRemembered);
  EXPECT_FALSE(channel.IsOpen());
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_EQ(settings.rememberedPort, 5);
  EXPECT_EQ(fake::TempFolder::Read(folder.Files().RememberedPortFile()), "5\r\n");
  EXPECT_EQ(ScanProbes(), 49u);
  const std::vector<std::string> trace = {"COM3", "COM5", Next(3), std::string(kFound)};
  EXPECT_EQ(search.TraceLines(), trace);
  EXPECT_EQ(channel.DeviceName(), "COM5");
}

TEST_F(DeviceSearchTest, ScanLimitBoundsTheProbing) {
  settings.scanLimit = 10;
  Device(9);
  Device(10);
  search.Start();
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_EQ(ScanProbes(), 9u);
  for (const auto& name : probe.Probed()) EXPECT_NE(name, "COM10");
  EXPECT_EQ(channel.DeviceName(), "COM9");
}

TEST_F(DeviceSearchTest, RecorderOnTheLimitIsNotFound) {
  Device(50);
  search.Start();
  Run();
  EXPECT_EQ(search.Code(), SearchCode::NotFound);
  EXPECT_EQ(ScanProbes(), 49u);
  EXPECT_EQ(probe.Probed().size(), 49u);
  EXPECT_TRUE(channel.Writes().empty());
  EXPECT_EQ(search.TraceLines(), std::vector<std::string>{std::string(kNotFound)});
  EXPECT_TRUE(search.ErrorVisible());
  EXPECT_EQ(search.ErrorText(), "РЕГИСТРАТОР НЕ НАЙДЕН!!!"_cp);
  EXPECT_TRUE(search.RepeatVisible());
  EXPECT_FALSE(search.ProgressVisible());
}

TEST_F(DeviceSearchTest, SilentPortGivenUpThenTheNextTried) {
  Device(1, true);
  Device(2);
  search.Start();
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_EQ(WritesTo("COM1").size(), 1u);
  EXPECT_EQ(WritesTo("COM2").size(), 1u);
  const std::vector<std::string> trace = {"COM1", "COM2", Next(1), std::string(kFound)};
  EXPECT_EQ(search.TraceLines(), trace);
}

TEST_F(DeviceSearchTest, GarbledAnswersGetFiveIdentifies) {
  Device(1).replyOverride[1] = "\x01\x02\x03";
  Device(4);
  search.Start();
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_EQ(WritesTo("COM1").size(), 5u);
  EXPECT_EQ(channel.DeviceName(), "COM4");
}

TEST_F(DeviceSearchTest, ReplyStillComingWhenTheTickSawItsFirstBytesIsTaken) {
  settings.tryRemembered = true;
  settings.rememberedPort = 3;
  Device(3).pieceSize = 40;  // 40 bytes, then 27
  search.Start();
  while (WritesTo("COM3").empty()) search.Tick();
  channel.Pump(1);
  search.Tick();  // some bytes, no identification yet: Identify is due again
  ASSERT_EQ(search.IdentifyStep(), 2);
  channel.Pump();  // the rest of the reply, before that tick
  search.Tick();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_EQ(WritesTo("COM3").size(), 1u);
  EXPECT_EQ(protocol.SerialNumberText(), "04096");
}

TEST_F(DeviceSearchTest, WrongIdentificationCountsAsSilence) {
  Device(1).identification = "Vorqel without its space";
  search.Start();
  Run();
  EXPECT_EQ(search.Code(), SearchCode::NotFound);
  EXPECT_EQ(WritesTo("COM1").size(), 5u);  // bytes came back, so it asked again
}

TEST_F(DeviceSearchTest, BusyPortSkipped) {
  Device(1);
  channel.SetOpenFails("COM1", true);
  Device(6);
  search.Start();
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_TRUE(WritesTo("COM1").empty());
  EXPECT_EQ(channel.DeviceName(), "COM6");
}

TEST_F(DeviceSearchTest, VanishingPortClearsItsFlag) {
  Device(1);
  Device(2);
  search.Start();
  Drive([&] { search.Tick(); }, [&] { return search.Phase() == SearchPhase::Identify; }, 200);
  ASSERT_EQ(search.CurrentPort(), 1);
  ASSERT_TRUE(search.PortPresentFlag(1));
  probe.SetPresent("COM1", false);
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_FALSE(search.PortPresentFlag(1));
  EXPECT_TRUE(WritesTo("COM1").empty());
  EXPECT_EQ(channel.DeviceName(), "COM2");
}

TEST_F(DeviceSearchTest, RememberedPortThatWillNotOpen) {
  settings.tryRemembered = true;
  settings.rememberedPort = 7;
  Device(7);
  channel.SetOpenFails("COM7", true);
  Device(8);
  search.Start();
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
  EXPECT_EQ(ScanProbes(), 49u);
  EXPECT_EQ(channel.DeviceName(), "COM8");
  EXPECT_FALSE(settings.tryRemembered);
}

TEST_F(DeviceSearchTest, RepeatAlwaysProbesFirst) {
  search.Start();
  Run();
  ASSERT_EQ(search.Code(), SearchCode::NotFound);
  EXPECT_TRUE(probe.Probed().size() == 49u);
  Device(4);
  settings.tryRemembered = true;
  settings.rememberedPort = 4;
  search.Repeat();
  EXPECT_FALSE(search.ErrorVisible());
  search.Tick();
  EXPECT_TRUE(search.ProgressVisible());
  search.Tick();
  EXPECT_EQ(probe.Probed().size(), 50u);
  EXPECT_EQ(probe.Probed().back(), "COM1");
  Run();
  EXPECT_EQ(search.Code(), SearchCode::Found);
}

TEST_F(DeviceSearchTest, CancelMidExchangeReleasesThePort) {
  Device(1, true);
  search.Start();
  Drive([&] { search.Tick(); }, [&] { return search.Phase() == SearchPhase::Identify; }, 200);
  ASSERT_TRUE(channel.IsOpen());
  search.Cancel();
  EXPECT_EQ(search.Code(), SearchCode::Cancelled);
  EXPECT_FALSE(channel.IsOpen());
  const std::size_t writes = channel.Writes().size();
  for (int i = 0; i < 50; ++i) search.Tick();
  EXPECT_EQ(channel.Writes().size(), writes);
}

TEST_F(DeviceSearchTest, AttemptsAndProgressShown) {
  Device(1).replyOverride[1] = "\x01";
  search.Start();
  Drive([&] { search.Tick(); }, [&] { return search.Attempts() == 3 && search.IdentifyStep() == 2; }, 300);
  EXPECT_EQ(search.AttemptsText(), "3");
  EXPECT_TRUE(search.ProgressVisible());
  EXPECT_GT(search.Progress(), 0);  // 50 probe ticks at least
}

}  // namespace
}  // namespace zt::link
