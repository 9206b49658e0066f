// Paths of temporary files to remove should the process be stopped midway.
// Fixed slots and plain unlink calls, so that a signal handler may empty it;
// Add and Remove may run on any thread.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <string_view>

namespace zt {

class TempFileRegistry {
 public:
  static constexpr int kSlots = 16;
  static constexpr std::size_t kMostPathBytes = 4096;  // with the closing NUL

  // The slot now holding the path; -1 when every slot is taken or the path is too long.
  int Add(std::string_view path);
  // Forgets the slot's path (the file itself is the caller's).
  void Remove(int slot);
  // Unlinks every path held. Async-signal-safe.
  void UnlinkAll();
  int Count() const;

 private:
  enum State : int { kFree, kFilling, kHeld };
  static_assert(std::atomic<int>::is_always_lock_free);
  struct Slot {
    std::atomic<int> state{kFree};
    char path[kMostPathBytes] = {};
  };
  std::array<Slot, kSlots> slots_;
};

}  // namespace zt
