// Runs one command and prints its wall time and the processor time it used
// (user and system), in seconds, and its peak resident memory in KiB:
// "WALL CPU KIB". The wall time is read from a nanosecond clock. Exits with
// the command's status.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <ctime>
#include <string>

namespace {

long long nowNs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<long long>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

std::string decimal(long long value) {
  char buffer[24];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  return {buffer, end};
}

// Nanoseconds as seconds with six decimals.
std::string seconds(long long ns) {
  const std::string fraction = decimal(ns % 1'000'000'000 + 1'000'000'000);
  return decimal(ns / 1'000'000'000) + '.' + fraction.substr(1, 6);
}

long long ns(const timeval& t) {
  return static_cast<long long>(t.tv_sec) * 1'000'000'000 +
         static_cast<long long>(t.tv_usec) * 1000;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fputs("usage: pyrelon_startup_timer COMMAND [ARG...]\n", stderr);
    return 64;
  }
  const long long start = nowNs();
  const pid_t child = fork();
  if (child < 0) return 71;
  if (child == 0) {
    execv(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) < 0) return 71;
  const long long elapsed = nowNs() - start;

  const std::string line = seconds(elapsed) + ' ' +
                           seconds(ns(usage.ru_utime) + ns(usage.ru_stime)) + ' ' +
                           decimal(usage.ru_maxrss) + '\n';
  std::fputs(line.c_str(), stdout);
  if (!WIFEXITED(status)) return 70;
  return WEXITSTATUS(status);
}
