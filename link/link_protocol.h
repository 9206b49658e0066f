// The protocol object: one command out, one reply back, over the one serial
// channel. It builds and sends frames, accumulates the bytes of each data
// event, checks and decodes the reply and keeps the link state that the runs
// poll on their ticks.
//
// A host creates one LinkProtocol for the program's lifetime, over its
// SerialChannel and PortProbe. The constructor hooks the channel's data event
// to XComm_ZTData, so the host only has to make the channel raise OnData on
// its own (user-interface) thread. A run that wants to hear about pages and
// completed replies at once registers itself with SetObserver while it runs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/clock.h"
#include "core/protocol_log.h"
#include "link/frame.h"
#include "link/serial_channel.h"

namespace zt::link {

inline constexpr std::uint8_t kRetriesPerFrame = 10;
inline constexpr int kLinkBaudRate = 38400;

// The send and receive activity indicators of the main window.
class LinkActivity {
 public:
  virtual ~LinkActivity() = default;
  virtual void SendStep() = 0;     // a frame is about to be written
  virtual void ReceiveStep() = 0;  // a data event was handled
};

// What the run in progress hears from the protocol. Calls come from inside
// SendCommand and XComm_ZTData; ReplyCompleted comes last, after the protocol
// has finished with the delivery, so the run may send its next command there.
class ExchangeObserver {
 public:
  virtual ~ExchangeObserver() = default;
  // A Read page frame was built (the reading gauge).
  virtual void PageRequested() {}
  // The 64 bytes of an accepted Read page reply; false when they could not be stored.
  virtual bool StorePage(std::string_view page) {
    (void)page;
    return true;
  }
  // The reply-complete flag was just set by a reply.
  virtual void ReplyCompleted() {}
};

// Kept between a command and its reply.
struct LinkState {
  CommandType commandType = CommandType::None;
  std::string lastFrame;
  std::string replyBuffer;
  std::string replyPayload;
  std::string deviceErrorText;
  bool replyComplete = false;
  bool passwordRejected = false;
  bool portError = false;
  bool replySeen = false;
  // From a send until its reply is accepted. Bytes that come while no reply is
  // outstanding answer nothing (a second reply to a repeated frame, say) and
  // are dropped, so they can never pass for the reply to a later command. A
  // Password reply stays outstanding until the next send: it is judged whole.
  bool replyOutstanding = false;
  std::uint8_t retriesLeft = kRetriesPerFrame;
  std::string identificationText;  // 32 characters of the Identify reply
  std::string serialNumberText;    // 5 digits
  LinkState();
};

class LinkProtocol {
 public:
  LinkProtocol(SerialChannel& channel, PortProbe& probe, ProtocolLog& log, const Clock& clock);
  ~LinkProtocol();
  LinkProtocol(const LinkProtocol&) = delete;
  LinkProtocol& operator=(const LinkProtocol&) = delete;

  // Builds the frame of the type from Inputs() (and the clock), stores it as the
  // last frame and sends it; the outcome shows in the flags.
  void SendCommand(CommandType type);
  // The last frame again, unchanged; retries left is kept.
  void Resend();
  // Opens the channel unless open; clears the port-error flag first.
  bool OpenPort();
  // Closes the channel unless the port-error flag says it is closed already.
  void ClosePort();
  // The channel's data event: reads what is waiting and handles it.
  void XComm_ZTData();

  CommandInputs& Inputs() { return inputs_; }
  const LinkState& State() const { return state_; }
  bool ReplyComplete() const { return state_.replyComplete; }
  bool PasswordRejected() const { return state_.passwordRejected; }
  bool PortError() const { return state_.portError; }
  bool ReplySeen() const { return state_.replySeen; }
  std::uint8_t RetriesLeft() const { return state_.retriesLeft; }
  const std::string& DeviceErrorText() const { return state_.deviceErrorText; }
  const std::string& IdentificationText() const { return state_.identificationText; }
  const std::string& SerialNumberText() const { return state_.serialNumberText; }
  // Every byte the data events brought, taken or dropped: the runs watch it
  // change to tell a quiet line.
  std::uint64_t BytesReceived() const { return bytesReceived_; }

  // The few changes the runs make to the link state.
  void ClearReplyBuffer() { state_.replyBuffer.clear(); }
  // The run gave up waiting: nothing that arrives until the next send is a reply.
  void AbandonReply();
  void ClearReplySeen() { state_.replySeen = false; }
  // Returns the retries left after taking one.
  std::uint8_t ConsumeRetry();
  // The writing run counts a skipped clock command as acknowledged.
  void SetReplyComplete() { state_.replyComplete = true; }

  SerialChannel& Channel() { return channel_; }
  void SetObserver(ExchangeObserver* observer) { observer_ = observer; }
  void SetActivity(LinkActivity* activity) { activity_ = activity; }

 private:
  void SendLastFrame();
  bool ReplyAccepted();
  void DecodeReply();
  void DecodeIdentify();
  void NotifyCompleted();

  SerialChannel& channel_;
  PortProbe& probe_;
  ProtocolLog& log_;
  const Clock& clock_;
  CommandInputs inputs_;
  LinkState state_;
  std::uint64_t bytesReceived_ = 0;
  ExchangeObserver* observer_ = nullptr;
  LinkActivity* activity_ = nullptr;
  // Sends and notifications in progress; a completion seen inside one is
  // passed on once the outermost has returned, never re-entrantly.
  int busy_ = 0;
  bool completionPending_ = false;
};

}  // namespace zt::link
