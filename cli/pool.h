// An ordered worker pool: jobs go in numbered, are worked on by a fixed set
// of threads in any order, and come out in the order they went in.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace pyrelon::cli {

// Starts a thread running `body`; throws std::system_error when the system
// refuses one. Tests give their own to make a start fail.
using ThreadStarter = std::function<std::thread(std::function<void()> body)>;

inline std::thread startThread(std::function<void()> body) { return std::thread(std::move(body)); }

template <class Job>
class OrderedPool {
 public:
  // `work(index, job)` runs on thread `index` (0 to threads - 1), one job at
  // a time per thread. At most `maxInFlight` jobs are in the pool at once
  // (submitted and not yet taken back). When a thread cannot be started the
  // constructor stops and joins the ones it started, then throws the
  // starter's std::system_error.
  OrderedPool(unsigned threads, std::size_t maxInFlight, std::function<void(unsigned, Job&)> work,
              const ThreadStarter& start = startThread)
      : work_(std::move(work)), maxInFlight_(maxInFlight) {
    try {
      for (unsigned i = 0; i < threads; ++i) threads_.push_back(start([this, i] { run(i); }));
    } catch (...) {
      stop();
      throw;
    }
  }
  ~OrderedPool() { stop(); }
  OrderedPool(const OrderedPool&) = delete;
  OrderedPool& operator=(const OrderedPool&) = delete;

  std::size_t inFlight() const {
    const std::lock_guard lock(mutex_);
    return inFlight_;
  }
  bool full() const { return inFlight() >= maxInFlight_; }

  // Hands a job to the threads; the caller makes room first (full()).
  void submit(std::unique_ptr<Job> job) {
    {
      const std::lock_guard lock(mutex_);
      ++inFlight_;
      todo_.emplace_back(nextIn_++, std::move(job));
    }
    ready_.notify_one();
  }

  // The oldest job not yet taken back, once it is done; waits for it when
  // `wait`, else gives nullptr when it is not done. nullptr when none is in
  // the pool.
  std::unique_ptr<Job> next(bool wait) {
    std::unique_lock lock(mutex_);
    for (;;) {
      if (inFlight_ == 0) return nullptr;
      const auto it = done_.find(nextOut_);
      if (it != done_.end()) {
        std::unique_ptr<Job> job = std::move(it->second);
        done_.erase(it);
        ++nextOut_;
        --inFlight_;
        return job;
      }
      if (!wait) return nullptr;
      finished_.wait(lock);
    }
  }

 private:
  void stop() {
    {
      const std::lock_guard lock(mutex_);
      closing_ = true;
    }
    ready_.notify_all();
    for (std::thread& t : threads_)
      if (t.joinable()) t.join();
    threads_.clear();
  }

  void run(unsigned index) {
    for (;;) {
      std::pair<std::uint64_t, std::unique_ptr<Job>> item;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return closing_ || !todo_.empty(); });
        if (closing_) return;
        item = std::move(todo_.front());
        todo_.pop_front();
      }
      work_(index, *item.second);
      {
        const std::lock_guard lock(mutex_);
        done_.emplace(item.first, std::move(item.second));
      }
      finished_.notify_all();
    }
  }

  std::function<void(unsigned, Job&)> work_;
  std::size_t maxInFlight_;
  std::vector<std::thread> threads_;
  mutable std::mutex mutex_;
  std::condition_variable ready_, finished_;
  std::deque<std::pair<std::uint64_t, std::unique_ptr<Job>>> todo_;
  std::map<std::uint64_t, std::unique_ptr<Job>> done_;
  std::uint64_t nextIn_ = 0;
  std::uint64_t nextOut_ = 0;
  std::size_t inFlight_ = 0;
  bool closing_ = false;
};

}  // namespace pyrelon::cli
