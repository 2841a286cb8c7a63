// A file a command writes in place of its standard output (-o, --output),
// and a file written whole (--chart).
//
// A regular file gets the output through a temporary file beside it, which
// replaces the file only when the command keeps its output: a run that stops
// on a usage error leaves an earlier file of that name as it was, and no
// reader ever sees a half-written one. A symbolic link stays a link: the
// file it leads to is the one replaced (a link that leads nowhere is itself
// replaced, as a new file). Anything else that already stands at
// the path, a device (/dev/null), a pipe or a standard stream reached by
// name (/dev/stdout, /dev/fd/1), is written in place and never replaced; so
// is a path through /proc's links to open files, which would otherwise
// replace whatever file the stream writes to.
#pragma once

#include <string>

namespace pyrelon::cli {

// Where the output for PATH goes: `path` (PATH, or the file a link leads
// to) and whether it is written there in place.
//   writePlaceOf("rows.csv")    -> {"rows.csv", false}  (new or regular)
//   writePlaceOf("/dev/stdout") -> {"/dev/stdout", true}
struct WritePlace {
  std::string path;
  bool inPlace = false;
};
WritePlace writePlaceOf(const std::string& path);

// Writes TEXT as the whole of PATH, as above. Gives the reason it failed
// (the system's words, "No space left on device"), or an empty string.
std::string writeWholeFile(const std::string& path, const std::string& text);

class OutputFile {
 public:
  // Sends standard output to a new temporary file in the folder of PATH's
  // place, or to PATH itself where it is written in place. Refuses
  // (std::runtime_error naming the problem) a PATH that is the file INPUT
  // names ("-" is standard input, never refused), and a place it cannot
  // write.
  //   OutputFile out("rows.csv", "readings.csv");  ... out.keep();
  OutputFile(const std::string& path, const std::string& input);
  // Gives standard output back; the temporary goes unless keep() renamed it.
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Flushes the output and renames the temporary onto PATH's place; throws
  // std::runtime_error when it cannot.
  void keep();

 private:
  void restore();

  std::string path_;       // as given, for messages
  WritePlace place_;       // where the output goes
  std::string temporary_;  // empty when written in place
  int savedStdout_ = -1;
  bool kept_ = false;
};

}  // namespace pyrelon::cli
