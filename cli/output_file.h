// A file a command writes in place of its standard output (-o, --output).
// The output goes to a temporary file beside it, which replaces the file
// only when the command keeps its output: a run that stops on a usage error
// leaves an earlier file of that name as it was, and no reader ever sees a
// half-written one.
#pragma once

#include <string>

namespace pyrelon::cli {

class OutputFile {
 public:
  // Sends standard output to a new temporary file in PATH's folder. Refuses
  // (std::runtime_error naming the problem) a PATH that is the file INPUT
  // names ("-" is standard input, never refused), and a folder it cannot
  // write in.
  //   OutputFile out("rows.csv", "readings.csv");  ... out.keep();
  OutputFile(const std::string& path, const std::string& input);
  // Gives standard output back; the temporary goes unless keep() renamed it.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Flushes the output and renames the temporary onto PATH; throws
  // std::runtime_error when it cannot.
  void keep();

 private:
  void restore();

  std::string path_;
  std::string temporary_;
  int savedStdout_ = -1;
  bool kept_ = false;
};

}  // namespace pyrelon::cli
