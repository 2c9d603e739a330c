// Synchronised calls: a worker thread hands a call to the main thread and
// waits until the main thread has run it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace pc::update {

class MainThreadSync {
 public:
  virtual ~MainThreadSync() = default;
  // Worker side: runs `call` on the main thread and returns once it has
  // run. Called on the main thread itself, it runs `call` at once.
  virtual void Synchronize(const std::function<void()>& call) = 0;
  // Main side: runs every waiting call, in order; returns how many ran.
  virtual std::size_t ProcessPending() = 0;
  // Main side: runs waiting calls until `done()` is true. `done` is looked
  // at after every call and whenever Wake is called.
  virtual void RunUntil(const std::function<bool()>& done) = 0;
  // Any thread: makes RunUntil look at its condition again.
  virtual void Wake() = 0;
};

// The queue behind MainThreadSync. The thread that creates it is the main
// thread. A window can have `onQueued` post an event to its own message
// loop and call ProcessPending from there.
class SyncQueue final : public MainThreadSync {
 public:
  SyncQueue();
  void Synchronize(const std::function<void()>& call) override;
  std::size_t ProcessPending() override;
  void RunUntil(const std::function<bool()>& done) override;
  void Wake() override;

  // Called (on the worker's thread) after a call was queued.
  void SetOnQueued(std::function<void()> onQueued);

 private:
  struct Item {
    const std::function<void()>* call;
    bool done = false;
  };
  std::thread::id main_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Item*> queue_;
  std::function<void()> on_queued_;
  unsigned wakes_ = 0;
};

}  // namespace pc::update
