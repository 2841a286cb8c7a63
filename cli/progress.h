// The batch mode's progress bar: how much of the file is read, rows done and
// rows per second, on one line of standard error, at most five times a
// second.
#pragma once

#include <chrono>
#include <cstdint>

namespace pyrelon::cli {

class ProgressBar {
 public:
  // Shows nothing unless `shown`; `totalBytes` is the file's size (0 when
  // unknown: the bar stays empty and the counts still show).
  ProgressBar(bool shown, std::uint64_t totalBytes) : shown_(shown), total_(totalBytes) {}
  // `bytes`: bytes read so far. The last update always shows, and ends the
  // line.
  void update(std::uint64_t rows, std::uint64_t bytes, bool last = false);

 private:
  bool shown_;
  std::uint64_t total_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point lastShown_{};
};

}  // namespace pyrelon::cli
