#include "cli/progress.h"

#include <algorithm>
#include <cstdio>

namespace pyrelon::cli {

void ProgressBar::update(std::uint64_t rows, std::uint64_t bytes, bool last) {
  if (!shown_) return;
  const auto now = std::chrono::steady_clock::now();
  if (!last && now - lastShown_ < std::chrono::milliseconds(200)) return;
  lastShown_ = now;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  const double rate = seconds > 0 ? static_cast<double>(rows) / seconds : 0;
  const double done =
      total_ > 0 ? std::min(1.0, static_cast<double>(bytes) / static_cast<double>(total_)) : 0;
  constexpr int kWidth = 30;
  const int filled = static_cast<int>(done * kWidth);
  std::fprintf(stderr, "\r[%.*s%*s] %3d%%  %llu rows  %.2f M rows/s", filled,
               "##############################", kWidth - filled, "", static_cast<int>(done * 100),
               static_cast<unsigned long long>(rows), rate / 1e6);
  if (last) std::fputc('\n', stderr);
}

}  // namespace pyrelon::cli
