// Reading a large logger CSV file: this program's reader against libcsv, in
// one run, with `cat file > /dev/null` as the floor (what reading the bytes
// alone costs).
//
//   pyrelon_csv_bench [ROWS=2000000] [FILE=/tmp/pyrelon-csv-bench.csv] [RUNS=5]
//
// Writes FILE (ROWS rows of four columns like 1121.5,830,20.25,2026-12-06T10:00:00
// under a header), reads it once to bring it into the page cache, then times
// each way of reading it RUNS times, each run in a child process of its own
// so that its peak memory (maximum resident set) is its own. Every reader
// reads the file descriptor in 1 MiB chunks and touches every field, so that
// none of the work can be left out. Times are wall clock, median and fastest
// run; the CPU column (user + system time of the run, median) moves less when
// other work shares the machine.
#include <csv.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/csv.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t kChunk = std::size_t{1} << 20;

// What a reader found, to check that all of them read the same.
struct Tally {
  std::uint64_t rows = 0;
  std::uint64_t fields = 0;
  std::uint64_t bytes = 0;  // of field text, quotes removed
};

void writeFile(const std::string& path, long rows) {
  std::FILE* file = std::fopen(path.c_str(), "w");
  if (!file) {
    std::perror(path.c_str());
    std::exit(1);
  }
  std::fputs("T_furnace,T_probe,E_probe,time\n", file);
  for (long i = 0; i < rows; ++i) {
    const long second = 10 * 3600 + i;
    std::fprintf(file, "%.1f,%ld,%.2f,2026-12-%02ldT%02ld:%02ld:%02ld\n",
                 800.0 + static_cast<double>(i * 7919 % 4000) / 10.0, 700 + i * 31 % 300,
                 static_cast<double>(i * 613 % 120000) / 100.0, 6 + second / 86400,
                 second / 3600 % 24, second / 60 % 60, second % 60);
  }
  std::fclose(file);
}

int openOrDie(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  if (fd < 0) {
    std::perror(path.c_str());
    std::exit(1);
  }
  return fd;
}

Tally readWithPyrelon(const std::string& path) {
  const int fd = openOrDie(path);
  pyrelon::cli::FdSource source(fd);
  pyrelon::cli::CsvReader reader(source);
  Tally tally;
  for (;;) {
    const pyrelon::cli::CsvStatus status = reader.next();
    if (status == pyrelon::cli::CsvStatus::Blank) continue;
    if (status != pyrelon::cli::CsvStatus::Record) break;
    ++tally.rows;
    for (const std::string_view field : reader.fields()) {
      ++tally.fields;
      tally.bytes += field.size();
    }
  }
  ::close(fd);
  return tally;
}

// libcsv hands out one field at a time from a buffer of its own that the next
// field overwrites, then says where the record ends.
void countField(void*, std::size_t size, void* data) {
  auto* tally = static_cast<Tally*>(data);
  ++tally->fields;
  tally->bytes += size;
}
void countRow(int, void* data) { ++static_cast<Tally*>(data)->rows; }

// The same, but with the record gathered so that it can be handed out whole,
// as the command line needs it (what a wrapper giving libcsv this program's
// interface has to do).
struct Gathered {
  Tally tally;
  std::string text;
  std::vector<std::size_t> ends;
  std::vector<std::string_view> fields;
};
void gatherField(void* field, std::size_t size, void* data) {
  auto* g = static_cast<Gathered*>(data);
  g->text.append(static_cast<const char*>(field), size);
  g->ends.push_back(g->text.size());
}
void gatherRow(int, void* data) {
  auto* g = static_cast<Gathered*>(data);
  g->fields.clear();
  std::size_t begin = 0;
  for (const std::size_t end : g->ends) {
    g->fields.emplace_back(g->text.data() + begin, end - begin);
    begin = end;
  }
  ++g->tally.rows;
  for (const std::string_view field : g->fields) {
    ++g->tally.fields;
    g->tally.bytes += field.size();
  }
  g->text.clear();
  g->ends.clear();
}

template <typename OnField, typename OnRow>
void parseWithLibcsv(const std::string& path, OnField onField, OnRow onRow, void* data) {
  const int fd = openOrDie(path);
  csv_parser parser;
  if (csv_init(&parser, 0) != 0) std::exit(1);
  std::vector<char> chunk(kChunk);
  for (ssize_t n; (n = ::read(fd, chunk.data(), chunk.size())) > 0;) {
    if (csv_parse(&parser, chunk.data(), static_cast<std::size_t>(n), onField, onRow, data) !=
        static_cast<std::size_t>(n)) {
      std::fprintf(stderr, "libcsv: %s\n", csv_strerror(csv_error(&parser)));
      std::exit(1);
    }
  }
  csv_fini(&parser, onField, onRow, data);
  csv_free(&parser);
  ::close(fd);
}

Tally readWithLibcsv(const std::string& path) {
  Tally tally;
  parseWithLibcsv(path, countField, countRow, &tally);
  return tally;
}

Tally readWithLibcsvGathered(const std::string& path) {
  Gathered gathered;
  parseWithLibcsv(path, gatherField, gatherRow, &gathered);
  return gathered.tally;
}

Tally readWithCat(const std::string& path) {
  const std::string command = "cat '" + path + "' > /dev/null";
  if (std::system(command.c_str()) != 0) std::exit(1);
  return {};
}

struct Run {
  double seconds;     // wall clock
  double cpuSeconds;  // user + system, the command's children included
  long maxRssKiB;
  Tally tally;
};

// One run in a child process; the child sends back its time and tally.
Run runInChild(const std::function<Tally()>& read) {
  int ends[2];
  if (pipe(ends) != 0) std::exit(1);
  const pid_t child = fork();
  if (child == 0) {
    ::close(ends[0]);
    const Clock::time_point start = Clock::now();
    const Tally tally = read();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    struct {
      double seconds;
      Tally tally;
    } result{seconds, tally};
    if (::write(ends[1], &result, sizeof result) != static_cast<ssize_t>(sizeof result)) _exit(1);
    _exit(0);
  }
  ::close(ends[1]);
  struct {
    double seconds;
    Tally tally;
  } result{};
  if (::read(ends[0], &result, sizeof result) != static_cast<ssize_t>(sizeof result)) std::exit(1);
  ::close(ends[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const auto toSeconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6;
  };
  return {result.seconds, toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime), usage.ru_maxrss,
          result.tally};
}

}  // namespace

int main(int argc, char** argv) {
  const long rows = argc > 1 ? std::atol(argv[1]) : 2000000;
  const std::string path = argc > 2 ? argv[2] : "/tmp/pyrelon-csv-bench.csv";
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;

  writeFile(path, rows);
  readWithCat(path);
  long fileBytes = 0;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    std::fseek(f, 0, SEEK_END);
    fileBytes = std::ftell(f);
    std::fclose(f);
  }
  const double records = static_cast<double>(rows + 1);  // with the header
  std::printf("%ld rows + header, 4 columns, %.1f MB, %d runs each; median (fastest)\n\n", rows,
              static_cast<double>(fileBytes) / 1e6, runs);
  std::printf("%-30s %14s %16s %8s %12s %12s\n", "reader", "ns/row", "million rows/s", "MB/s",
              "CPU ns/row", "max RSS KiB");

  struct Way {
    const char* name;
    Tally (*read)(const std::string&);
    bool counts;
  };
  const Way ways[] = {
      {"cat file > /dev/null (floor)", readWithCat, false},
      {"pyrelon CsvReader", readWithPyrelon, true},
      {"libcsv, fields counted only", readWithLibcsv, true},
      {"libcsv, records gathered", readWithLibcsvGathered, true},
  };
  // The ways take turns, so that a busy spell on the machine does not fall
  // on one of them only.
  std::vector<std::vector<Run>> results(std::size(ways));
  for (int r = 0; r < runs; ++r)
    for (std::size_t w = 0; w < std::size(ways); ++w)
      results[w].push_back(runInChild([&] { return ways[w].read(path); }));

  Tally reference;
  for (std::size_t w = 0; w < std::size(ways); ++w) {
    std::vector<Run>& rs = results[w];
    std::sort(rs.begin(), rs.end(),
              [](const Run& a, const Run& b) { return a.seconds < b.seconds; });
    const Run& median = rs[rs.size() / 2];
    const Run& fastest = rs.front();
    long rss = 0;
    for (const Run& run : rs) rss = std::max(rss, run.maxRssKiB);
    const auto perRow = [&](const Run& run) { return run.seconds * 1e9 / records; };
    char nsText[32], rateText[32];
    std::snprintf(nsText, sizeof nsText, "%.1f (%.1f)", perRow(median), perRow(fastest));
    std::snprintf(rateText, sizeof rateText, "%.2f (%.2f)", records / median.seconds / 1e6,
                  records / fastest.seconds / 1e6);
    std::vector<double> cpu;
    for (const Run& run : rs) cpu.push_back(run.cpuSeconds);
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-30s %14s %16s %8.0f %12.1f %12ld\n", ways[w].name, nsText, rateText,
                static_cast<double>(fileBytes) / median.seconds / 1e6,
                cpu[cpu.size() / 2] * 1e9 / records, rss);
    if (ways[w].counts) {
      const Tally& t = median.tally;
      if (reference.rows == 0) reference = t;
      if (t.rows != reference.rows || t.fields != reference.fields || t.bytes != reference.bytes) {
        std::fprintf(
            stderr, "%s read %llu rows, %llu fields, %llu bytes; expected %llu, %llu, %llu\n",
            ways[w].name, static_cast<unsigned long long>(t.rows),
            static_cast<unsigned long long>(t.fields), static_cast<unsigned long long>(t.bytes),
            static_cast<unsigned long long>(reference.rows),
            static_cast<unsigned long long>(reference.fields),
            static_cast<unsigned long long>(reference.bytes));
        return 1;
      }
    }
  }
  return 0;
}
