#include "core/temp_file_registry.h"

#include <unistd.h>

#include <cstring>

namespace zt {

int TempFileRegistry::Add(std::string_view path) {
  if (path.empty() || path.size() >= kMostPathBytes) return -1;
  for (int i = 0; i < kSlots; ++i) {
    Slot& slot = slots_[static_cast<std::size_t>(i)];
    int expected = kFree;
    if (!slot.state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slot.path, path.data(), path.size());
    slot.path[path.size()] = '\0';
    slot.state.store(kHeld);
    return i;
  }
  return -1;
}

void TempFileRegistry::Remove(int slot) {
  if (slot >= 0 && slot < kSlots) slots_[static_cast<std::size_t>(slot)].state.store(kFree);
}

void TempFileRegistry::UnlinkAll() {
  for (Slot& slot : slots_) {
    int expected = kHeld;
    // Taken out of the registry first, so two handlers never unlink one path twice.
    if (slot.state.compare_exchange_strong(expected, kFilling)) {
      ::unlink(slot.path);
      slot.state.store(kFree);
    }
  }
}

int TempFileRegistry::Count() const {
  int n = 0;
  for (const Slot& slot : slots_) n += slot.state.load() == kHeld ? 1 : 0;
  return n;
}

}  // namespace zt
