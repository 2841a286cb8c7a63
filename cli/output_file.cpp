#include "cli/output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
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

}  // namespace

OutputFile::OutputFile(const std::string& path, const std::string& input) : path_(path) {
  if (input != "-" && sameFile(path, input))
    throw std::runtime_error("The output is the input file; write the results elsewhere.");
  std::vector<char> name(path.begin(), path.end());
  const char suffix[] = ".XXXXXX";
  name.insert(name.end(), suffix, suffix + sizeof suffix);  // with the terminating zero
  const int fd = ::mkstemp(name.data());
  if (fd < 0) throw failure(path);
  temporary_ = name.data();
  // mkstemp makes the file private; the output gets a new file's usual mode.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  std::fflush(stdout);
  std::cout.flush();
  savedStdout_ = ::dup(STDOUT_FILENO);
  if (savedStdout_ < 0 || ::dup2(fd, STDOUT_FILENO) < 0) {
    ::close(fd);
    ::unlink(temporary_.c_str());
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
  std::fflush(stdout);
  std::cout.flush();
  if (::fsync(STDOUT_FILENO) != 0) throw failure(path_);
  restore();
  if (std::rename(temporary_.c_str(), path_.c_str()) != 0) throw failure(path_);
  kept_ = true;
}

OutputFile::~OutputFile() {
  restore();
  if (!kept_) ::unlink(temporary_.c_str());
}

}  // namespace pyrelon::cli
