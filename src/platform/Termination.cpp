#include "platform/Termination.h"

#include <atomic>

namespace {
std::atomic<bool> g_bRequested { false };
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
} // namespace

void NoteTerminationRequested() noexcept { g_bRequested.store(true, std::memory_order_relaxed); }
bool TerminationRequested() noexcept { return g_bRequested.load(std::memory_order_relaxed); }
void ClearTerminationRequest() noexcept { g_bRequested.store(false, std::memory_order_relaxed); }
