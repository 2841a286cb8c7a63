#include "cli/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <vector>

namespace pyrelon::cli {
namespace {

// Every way the output file can fail is said the same way.
std::runtime_error failure(const std::string& path) {
  return std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
}

bool sameFile(const std::string& a, const std::string& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// A new temporary file beside `path`, with the read, write and run bits of
// the file it will replace, or a new file's usual mode where there is none
// (mkstemp makes it private); its name goes to `temporary`. Gives -1 with
// errno set when it cannot.
int temporaryBeside(const std::string& path, std::string& temporary) {
  std::vector<char> name(path.begin(), path.end());
  const char suffix[] = ".XXXXXX";
  name.insert(name.end(), suffix, suffix + sizeof suffix);  // with the terminating zero
  const int fd = ::mkstemp(name.data());
  if (fd < 0) return -1;
  temporary = name.data();
  struct stat earlier {};
  if (::stat(path.c_str(), &earlier) == 0) {
    ::fchmod(fd, earlier.st_mode & 0777);  // never set-user-ID on the writer's file
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  return fd;
}

// A place written in place takes the output after what it holds, as the
// shell's >> does: a stream reached through /proc may be a file the shell
// opened for appending.
int openInPlace(const std::string& path) { return ::open(path.c_str(), O_WRONLY | O_APPEND); }

// The file PATH leads to through its symbolic links, or nothing where the
// way passes through /proc: /dev/stdout leads through /proc/self/fd/1 to
// the file the shell opened for the stream, which is no file to replace.
std::optional<std::string> fileBehind(std::string path) {
  for (int hop = 0; hop < 40; ++hop) {  // the system's own limit on links in a row
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    char* real = ::realpath(folder.c_str(), nullptr);
    if (real == nullptr) return std::nullopt;
    const std::string dir = std::string(real) == "/" ? "" : real;
    std::free(real);
    if (dir == "/proc" || dir.starts_with("/proc/")) return std::nullopt;
    path = dir + "/" + (slash == std::string::npos ? path : path.substr(slash + 1));
    struct stat entry {};
    if (::lstat(path.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) return path;
    std::vector<char> to(PATH_MAX);
    const ssize_t length = ::readlink(path.c_str(), to.data(), to.size());
    if (length < 0 || static_cast<std::size_t>(length) >= to.size()) return std::nullopt;
    const std::string target(to.data(), static_cast<std::size_t>(length));
    path = target.starts_with('/') ? target : dir + "/" + target;
  }
  return std::nullopt;
}

}  // namespace

WritePlace writePlaceOf(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || S_ISREG(link.st_mode)) return {path, false};
  if (!S_ISLNK(link.st_mode)) return {path, true};
  struct stat target {};
  if (::stat(path.c_str(), &target) != 0) return {path, false};  // a dangling link, replaced
  if (!S_ISREG(target.st_mode)) return {path, true};
  const std::optional<std::string> file = fileBehind(path);
  return file ? WritePlace{*file, false} : WritePlace{path, true};
}

std::string writeWholeFile(const std::string& path, const std::string& text) {
  const WritePlace place = writePlaceOf(path);
  std::string temporary;
  const int fd = place.inPlace ? openInPlace(place.path) : temporaryBeside(place.path, temporary);
  if (fd < 0) return std::strerror(errno);
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t wrote = ::write(fd, text.data() + done, text.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) break;
    done += static_cast<std::size_t>(wrote);
  }
  // The first failure is the reason. What is renamed into place is on the
  // disk first (a device or a pipe has nothing to sync: fsync refuses it).
  std::string reason;
  if (done < text.size()) {
    reason = std::strerror(errno);
  } else if (!place.inPlace && ::fsync(fd) != 0) {
    reason = std::strerror(errno);
  }
  if (::close(fd) != 0 && reason.empty()) reason = std::strerror(errno);
  if (reason.empty() && !place.inPlace && std::rename(temporary.c_str(), place.path.c_str()) != 0)
    reason = std::strerror(errno);
  if (!reason.empty() && !temporary.empty()) ::unlink(temporary.c_str());
  return reason;
}

OutputFile::OutputFile(const std::string& path, const std::string& input)
    : path_(path), place_(writePlaceOf(path)) {
  if (input != "-" && sameFile(path, input))
    throw std::runtime_error("The output is the input file; write the results elsewhere.");
  const int fd =
      place_.inPlace ? openInPlace(place_.path) : temporaryBeside(place_.path, temporary_);
  if (fd < 0) throw failure(path);
  std::fflush(stdout);
  std::cout.flush();
  savedStdout_ = ::dup(STDOUT_FILENO);
  if (savedStdout_ < 0 || ::dup2(fd, STDOUT_FILENO) < 0) {
    ::close(fd);
    if (!temporary_.empty()) ::unlink(temporary_.c_str());
    if (savedStdout_ >= 0) ::close(savedStdout_);
    throw failure(path);
  }
  ::close(fd);
}

void OutputFile::restore() {
  if (savedStdout_ < 0) return;
  std::fflush(stdout);
  std::cout.flush();
  ::dup2(savedStdout_, STDOUT_FILENO);
  ::close(savedStdout_);
  savedStdout_ = -1;
}

void OutputFile::keep() {
  std::cout.flush();
  if (std::fflush(stdout) != 0) throw failure(path_);
  // A device or a pipe has nothing to sync (fsync refuses it).
  if (!place_.inPlace && ::fsync(STDOUT_FILENO) != 0) throw failure(path_);
  restore();
  if (!place_.inPlace && std::rename(temporary_.c_str(), place_.path.c_str()) != 0)
    throw failure(path_);
  kept_ = true;
}

OutputFile::~OutputFile() {
  restore();
  if (!kept_ && !temporary_.empty()) ::unlink(temporary_.c_str());
}

}  // namespace pyrelon::cli
