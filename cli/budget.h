// A count of the bytes in flight in the batch mode, shared by the reader and
// every worker: the reader waits for room before it hands out another batch,
// so that memory stays bounded by bytes and not only by rows.
#pragma once

#include <atomic>
#include <cstddef>

namespace pyrelon::cli {

class ByteBudget {
 public:
  explicit ByteBudget(std::size_t limit) : limit_(limit) {}

  // Whether `bytes` more stay within the limit. Anything fits an empty
  // budget, so that one batch larger than the limit still goes through.
  bool fits(std::size_t bytes) const {
    const std::size_t used = used_.load(std::memory_order_relaxed);
    return used == 0 || used + bytes <= limit_;
  }
  // Counts bytes in (from any thread) and out again.
  void take(std::size_t bytes) {
    const std::size_t now = used_.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    std::size_t peak = peak_.load(std::memory_order_relaxed);
    while (now > peak && !peak_.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
  }
  void give(std::size_t bytes) { used_.fetch_sub(bytes, std::memory_order_relaxed); }

  std::size_t used() const { return used_.load(std::memory_order_relaxed); }
  // The most ever in flight at once.
  std::size_t peak() const { return peak_.load(std::memory_order_relaxed); }
  std::size_t limit() const { return limit_; }

 private:
  std::size_t limit_;
  std::atomic<std::size_t> used_{0};
  std::atomic<std::size_t> peak_{0};
};

}  // namespace pyrelon::cli
