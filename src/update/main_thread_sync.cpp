#include "update/main_thread_sync.h"

namespace pc::update {

SyncQueue::SyncQueue() : main_(std::this_thread::get_id()) {}

void SyncQueue::SetOnQueued(std::function<void()> onQueued) {
  std::lock_guard lock(mutex_);
  on_queued_ = std::move(onQueued);
}

void SyncQueue::Synchronize(const std::function<void()>& call) {
  if (std::this_thread::get_id() == main_) {
    call();
    return;
  }
  Item item{&call};
  std::function<void()> onQueued;
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(&item);
    onQueued = on_queued_;
  }
  changed_.notify_all();
  if (onQueued) onQueued();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return item.done; });
}

std::size_t SyncQueue::ProcessPending() {
  std::size_t ran = 0;
  for (;;) {
    Item* item = nullptr;
    {
      std::lock_guard lock(mutex_);
      if (queue_.empty()) break;
      item = queue_.front();
      queue_.pop_front();
    }
    (*item->call)();
    ++ran;
    {
      std::lock_guard lock(mutex_);
      item->done = true;
    }
    changed_.notify_all();
  }
  return ran;
}

void SyncQueue::RunUntil(const std::function<bool()>& done) {
  for (;;) {
    unsigned seen = 0;
    {
      std::lock_guard lock(mutex_);
      seen = wakes_;  // a Wake from here on is never missed
    }
    ProcessPending();
    if (done()) return;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return !queue_.empty() || wakes_ != seen; });
  }
}

void SyncQueue::Wake() {
  {
    std::lock_guard lock(mutex_);
    ++wakes_;
  }
  changed_.notify_all();
}

}  // namespace pc::update
