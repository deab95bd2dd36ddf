#include "platform/HandOver.h"

#include <condition_variable>

#include "platform/ThreadChecks.h"

namespace platform {
namespace {
std::mutex g_posterMutex;
MainThreadPoster g_poster;
}  // namespace

void SetMainThreadPoster(MainThreadPoster poster) {
  std::lock_guard lock(g_posterMutex);
  g_poster = std::move(poster);
}

bool PostToMainThread(std::function<void()> fn) {
  MainThreadPoster poster;
  {
    std::lock_guard lock(g_posterMutex);
    poster = g_poster;
  }
  if (!poster) {
    ThreadRuleBroken("a call posted to the main thread without a main-thread poster "
                     "(platform::SetMainThreadPoster); the call is dropped");
    return false;
  }
  poster(std::move(fn));
  return true;
}

// One step on its way to the main thread. Shared between the waiting thread
// and the queued call, so that either may be gone first.
struct HandOverGate::Pending {
  enum class State { Queued, Running, Done, Cancelled };
  std::mutex mutex;
  std::condition_variable changed;
  State state = State::Queued;
  std::function<void()> step;
};

bool HandOverGate::Run(std::function<void()> step) {
  auto pending = std::make_shared<Pending>();
  pending->step = std::move(step);
  MainThreadPoster poster;
  {
    std::lock_guard lock(g_posterMutex);
    poster = g_poster;
  }
  {
    std::lock_guard lock(m_mutex);
    if (m_cancelled) return false;
    if (poster) m_pending = pending;
  }
  if (!poster) {
    ThreadRuleBroken("a hand-over to the main thread without a main-thread poster "
                     "(platform::SetMainThreadPoster); the step is dropped");
    return false;
  }
  auto runOnMain = [pending] {
    {
      std::lock_guard lock(pending->mutex);
      if (pending->state != Pending::State::Queued) return;
      pending->state = Pending::State::Running;
    }
    pending->step();
    std::lock_guard lock(pending->mutex);
    if (pending->state == Pending::State::Running) pending->state = Pending::State::Done;
    pending->step = nullptr;
    pending->changed.notify_all();
  };
  poster(runOnMain);

  std::unique_lock lock(pending->mutex);
  pending->changed.wait(lock, [&] {
    return pending->state == Pending::State::Done || pending->state == Pending::State::Cancelled;
  });
  const bool ran = pending->state == Pending::State::Done;
  lock.unlock();
  std::lock_guard gateLock(m_mutex);
  if (m_pending == pending) m_pending.reset();
  return ran;
}

void HandOverGate::Cancel() {
  std::shared_ptr<Pending> pending;
  {
    std::lock_guard lock(m_mutex);
    m_cancelled = true;
    pending = m_pending;
  }
  if (!pending) return;
  std::lock_guard lock(pending->mutex);
  // A queued step will not run; a running one (we are inside it, in a
  // nested event loop) finishes, but nobody waits for it any more.
  if (pending->state == Pending::State::Queued || pending->state == Pending::State::Running)
    pending->state = Pending::State::Cancelled;
  pending->changed.notify_all();
}

bool HandOverGate::Cancelled() const {
  std::lock_guard lock(m_mutex);
  return m_cancelled;
}

}  // namespace platform
