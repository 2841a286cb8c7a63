#include "cli/batch.h"

#include <fcntl.h>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <thread>
#include <vector>

#include "cli/budget.h"
#include "cli/progress.h"
#include "cli/row_writers.h"

namespace pyrelon::cli {
namespace {

constexpr std::uint32_t kNoNote = UINT32_MAX;
constexpr unsigned kMostThreads = 256;

std::string sizeText(std::size_t bytes) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  if (bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
  return std::to_string(bytes) + " bytes";
}

// One input record, copied out of the reader: the record as written, and
// where each field's value lies (inside the record when it was written
// without quotes, else an unescaped copy after it).
struct Record {
  std::uint64_t line;
  std::uint32_t rawOffset, rawLength;  // up to the header's last field
  std::uint32_t first;                 // index of its first value in the batch
  std::uint32_t count;                 // values up to the header's count
  std::uint32_t extra;                 // values after them, beyond the header
  std::uint32_t note;                  // why it fails before it is computed, or kNoNote
  bool rewrite;                        // written from its values, not as written
};

struct Batch {
  std::string text;  // the records as written, and unescaped copies of quoted fields
  std::vector<std::pair<std::uint32_t, std::uint32_t>> values;  // offset, length
  std::vector<Record> records;
  std::vector<std::string> notes;
  std::uint64_t trailingSeparators = 0;
  std::size_t charged = 0;  // input bytes counted in the budget

  // Filled by the worker.
  std::string output;
  std::uint64_t failed = 0;
  std::uint64_t firstFailedLine = 0;
  std::string firstError;
  std::string problem;  // the worker could not finish it

  void clear() {
    text.clear();
    values.clear();
    records.clear();
    notes.clear();
    trailingSeparators = 0;
    charged = 0;
    output.clear();
    failed = 0;
    firstFailedLine = 0;
    firstError.clear();
    problem.clear();
  }
  std::size_t inputBytes() const {
    return text.size() + values.size() * sizeof(values[0]) + records.size() * sizeof(Record);
  }
  std::string_view value(std::size_t i) const {
    return {text.data() + values[i].first, values[i].second};
  }
};

// A row's error sentence as written and summarised: one line of at most
// kLongestError bytes, control bytes shown as \xNN, whatever the computer
// put in it (a field it quoted unshortened, say).
constexpr std::size_t kLongestError = 400;

void keepToOneShortLine(std::string& error) {
  const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; };
  if (error.size() <= kLongestError && std::none_of(error.begin(), error.end(), control)) return;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (const char c : error) {
    if (out.size() >= kLongestError) {
      // Not inside a UTF-8 character.
      while (!out.empty() && (static_cast<unsigned char>(out.back()) & 0xC0) == 0x80)
        out.pop_back();
      if (!out.empty() && static_cast<unsigned char>(out.back()) >= 0xC0) out.pop_back();
      out += "...";
      break;
    }
    if (control(c)) {
      out += "\\x";
      out += kHex[static_cast<unsigned char>(c) >> 4];
      out += kHex[static_cast<unsigned char>(c) & 0xF];
    } else {
      out += c;
    }
  }
  error = std::move(out);
}

// What every worker shares: the writer and how many results a row has.
struct Plan {
  std::size_t resultCount = 0;
  std::optional<CsvRowWriter> csv;
  std::optional<JsonRowWriter> json;
};

// Computes and writes the rows of a batch, on one thread.
class BatchWorker {
 public:
  BatchWorker(const Plan& plan, std::unique_ptr<RowComputer::Worker> rows)
      : plan_(plan), rows_(std::move(rows)) {}

  void process(Batch& batch) {
    try {
      batch.output.reserve(batch.text.size() + batch.records.size() * 24);
      for (const Record& record : batch.records) processRecord(batch, record);
    } catch (const std::bad_alloc&) {
      batch.problem = "not enough memory to compute the rows";
    } catch (const std::exception& e) {
      batch.problem = e.what();
    }
  }

 private:
  void processRecord(Batch& batch, const Record& record) {
    fields_.clear();
    for (std::uint32_t f = 0; f < record.count; ++f)
      fields_.push_back(batch.value(record.first + f));
    extra_.clear();
    for (std::uint32_t f = 0; f < record.extra; ++f)
      extra_.push_back(batch.value(record.first + record.count + f));
    error_.clear();
    if (record.note != kNoNote) {
      error_ = batch.notes[record.note];
    } else {
      rows_->compute(fields_, results_, error_);
    }
    results_.resize(plan_.resultCount);
    if (!error_.empty()) {
      keepToOneShortLine(error_);
      for (std::string& s : results_) s.clear();
      if (batch.failed++ == 0) {
        batch.firstFailedLine = record.line;
        batch.firstError = error_;
      }
    }
    RowView row;
    row.line = record.line;
    row.raw = std::string_view(batch.text.data() + record.rawOffset, record.rawLength);
    row.rewrite = record.rewrite;
    row.fields = fields_;
    row.extra = extra_;
    row.results = results_;
    row.error = error_;
    if (plan_.json) {
      plan_.json->write(row, batch.output);
    } else {
      plan_.csv->write(row, batch.output);
    }
  }

  const Plan& plan_;
  std::unique_ptr<RowComputer::Worker> rows_;
  std::vector<std::string_view> fields_, extra_;
  std::vector<std::string> results_;
  std::string error_;
};

struct Totals {
  std::uint64_t rows = 0, failed = 0, firstFailedLine = 0, trailingSeparators = 0;
  std::string firstError;

  void add(const Batch& batch) {
    rows += batch.records.size();
    if (batch.failed > 0 && failed == 0) {
      firstFailedLine = batch.firstFailedLine;
      firstError = batch.firstError;
    }
    failed += batch.failed;
    trailingSeparators += batch.trailingSeparators;
  }
};

// Reads records into batches.
class BatchReader {
 public:
  BatchReader(CsvReader& reader, std::size_t headerFields, const BatchLimits& limits)
      : reader_(reader), headerFields_(headerFields), limits_(limits) {}

  // Fills `batch` up to the limits. False once the input is done (the batch
  // may still hold rows); `problem` says why when it ended on an error.
  bool fill(Batch& batch, std::string& problem, const std::string& inputName) {
    while (batch.records.size() < limits_.rowsPerBatch &&
           batch.text.size() < limits_.bytesPerBatch) {
      const CsvStatus status = reader_.next();
      switch (status) {
        case CsvStatus::Blank: continue;
        case CsvStatus::End:
        case CsvStatus::UnterminatedQuote:  // not returned when recovering
          return false;
        case CsvStatus::ReadError:
          problem = "cannot read " + inputName + " after line " +
                    std::to_string(reader_.line() > 0 ? reader_.line() - 1 : 0) + ": " +
                    std::strerror(reader_.errorNumber());
          return false;
        case CsvStatus::RecordTooLong:
          addBroken(batch, "The record is longer than " + sizeText(limits_.maxRecordBytes) + ".");
          continue;
        case CsvStatus::TooManyFields:
          addBroken(batch,
                    "The record has more than " + std::to_string(limits_.maxFields) + " fields.");
          continue;
        case CsvStatus::Record:
        case CsvStatus::StrayQuote: add(batch, status == CsvStatus::StrayQuote); continue;
      }
    }
    return true;
  }

 private:
  void addBroken(Batch& batch, std::string why) {
    batch.notes.push_back(std::move(why));
    batch.records.push_back({reader_.line(), static_cast<std::uint32_t>(batch.text.size()), 0,
                             static_cast<std::uint32_t>(batch.values.size()), 0, 0,
                             static_cast<std::uint32_t>(batch.notes.size() - 1), false});
  }

  void add(Batch& batch, bool strayQuote) {
    const auto fields = reader_.fields();
    const std::string_view raw = reader_.raw();
    std::size_t count = fields.size();
    std::size_t extra = 0;
    std::uint32_t note = kNoNote;
    std::size_t rawLength = raw.size();
    if (count > headerFields_) {
      const bool empty = std::all_of(fields.begin() + static_cast<std::ptrdiff_t>(headerFields_),
                                     fields.end(), [](std::string_view f) { return f.empty(); });
      if (empty) {
        ++batch.trailingSeparators;
      } else {
        extra = count - headerFields_;
        batch.notes.push_back("The row has " + std::to_string(count) + " fields; the header has " +
                              std::to_string(headerFields_) + ".");
        note = static_cast<std::uint32_t>(batch.notes.size() - 1);
      }
      count = headerFields_;
      const std::string_view last = reader_.rawField(headerFields_ - 1);
      rawLength = static_cast<std::size_t>(last.data() + last.size() - raw.data());
    }
    if (strayQuote) {
      batch.notes.push_back("The quote that opens field " +
                            std::to_string(reader_.strayQuoteField() + 1) + " on line " +
                            std::to_string(reader_.strayQuoteLine()) + " is never closed.");
      note = static_cast<std::uint32_t>(batch.notes.size() - 1);
    }
    const auto rawAt = static_cast<std::uint32_t>(batch.text.size());
    batch.text += raw.substr(0, rawLength);
    batch.records.push_back({reader_.line(), rawAt, static_cast<std::uint32_t>(rawLength),
                             static_cast<std::uint32_t>(batch.values.size()),
                             static_cast<std::uint32_t>(count), static_cast<std::uint32_t>(extra),
                             note, strayQuote});
    for (std::size_t f = 0; f < count + extra; ++f) {
      const std::string_view value = fields[f];
      const std::string_view written = reader_.rawField(f);
      const std::size_t at = static_cast<std::size_t>(written.data() - raw.data());
      if (value.data() == written.data() && value.size() == written.size() && at < rawLength) {
        batch.values.emplace_back(rawAt + static_cast<std::uint32_t>(at),
                                  static_cast<std::uint32_t>(value.size()));
      } else {
        batch.values.emplace_back(static_cast<std::uint32_t>(batch.text.size()),
                                  static_cast<std::uint32_t>(value.size()));
        batch.text += value;
      }
    }
  }

  CsvReader& reader_;
  std::size_t headerFields_;
  const BatchLimits& limits_;
};

// Reads the header; empty, or why there is none.
std::string readHeader(CsvReader& reader, const BatchStream& stream) {
  CsvStatus status = reader.next();
  while (status == CsvStatus::Blank) status = reader.next();
  std::string cannot = "cannot read the header line of " + stream.inputName + ": ";
  switch (status) {
    case CsvStatus::Record: {
      // A spreadsheet's "Unicode text" is UTF-16: its names would match no
      // input, so say what the file is rather than which column is missing.
      const std::string_view first = reader.fields().empty() ? "" : reader.fields()[0];
      if (first.starts_with("\xFF\xFE") || first.starts_with("\xFE\xFF"))
        return cannot + "it is UTF-16 text; save it as UTF-8";
      return {};
    }
    case CsvStatus::Blank:  // only before the header
    case CsvStatus::End:
    case CsvStatus::UnterminatedQuote:
      return "the input " + stream.inputName + " holds no header line";
    case CsvStatus::ReadError: return cannot + std::strerror(reader.errorNumber());
    case CsvStatus::RecordTooLong:
      return cannot + "the header is longer than " + sizeText(stream.limits.maxRecordBytes);
    case CsvStatus::TooManyFields:
      return cannot + "the header has more than " + std::to_string(stream.limits.maxFields) +
             " fields";
    case CsvStatus::StrayQuote:
      return cannot + "the quote that opens field " + std::to_string(reader.strayQuoteField() + 1) +
             " on line " + std::to_string(reader.strayQuoteLine()) + " is never closed";
  }
  return cannot;
}

// The stream after its header: batches read, computed on the pool (or on
// this thread), written in order.
class Streamer {
 public:
  Streamer(const BatchStream& stream, CsvReader& reader, std::size_t headerFields, const Plan& plan)
      : stream_(stream),
        batches_(reader, headerFields, stream.limits),
        plan_(plan),
        budget_(stream.limits.bytesInFlight) {}

  void run(BatchReport& report) {
    const unsigned threads = std::max(1u, stream_.threads);
    for (unsigned i = 0; i < threads; ++i)
      workers_.emplace_back(plan_, stream_.computer->makeWorker());
    std::optional<OrderedPool<Batch>> pool;
    const std::size_t maxInFlight = std::size_t{threads} + 2;
    if (threads > 1) {
      try {
        pool.emplace(
            threads, maxInFlight,
            [this](unsigned index, Batch& batch) {
              workers_[index].process(batch);
              budget_.take(batch.output.size());
            },
            stream_.limits.startThread);
      } catch (const std::system_error& e) {
        report.problem = std::string("cannot start a thread: ") + e.code().message();
        return;
      }
    }
    bool more = true;
    std::string readProblem;  // the rows read before it are still written
    while (more && report.problem.empty()) {
      std::unique_ptr<Batch> batch = spare();
      more = batches_.fill(*batch, readProblem, stream_.inputName);
      if (batch->records.empty()) break;
      batch->charged = batch->inputBytes();
      if (!pool) {
        budget_.take(batch->charged);
        workers_[0].process(*batch);
        budget_.take(batch->output.size());
        finish(std::move(batch), report);
        continue;
      }
      while (pool->inFlight() > 0 && (pool->full() || !budget_.fits(batch->charged)))
        finish(pool->next(true), report);
      budget_.take(batch->charged);
      pool->submit(std::move(batch));
      while (std::unique_ptr<Batch> done = pool->next(false)) finish(std::move(done), report);
    }
    if (pool)
      while (std::unique_ptr<Batch> done = pool->next(true)) finish(std::move(done), report);
    report.peakBytesInFlight = budget_.peak();
    if (report.problem.empty()) report.problem = readProblem;
  }

 private:
  std::unique_ptr<Batch> spare() {
    if (spares_.empty()) return std::make_unique<Batch>();
    std::unique_ptr<Batch> batch = std::move(spares_.back());
    spares_.pop_back();
    return batch;
  }

  // Writes a done batch (unless the stream has failed) and counts it.
  void finish(std::unique_ptr<Batch> batch, BatchReport& report) {
    budget_.give(batch->charged + batch->output.size());
    if (report.problem.empty()) {
      if (!batch->problem.empty()) {
        report.problem = batch->problem;
      } else {
        try {
          stream_.write(batch->output);
          totals_.add(*batch);
          if (stream_.progress) stream_.progress(totals_.rows);
        } catch (const std::exception& e) {
          report.problem = e.what();
        }
      }
    }
    // Kept for the next batch unless it grew large: memory stays bounded
    // by what is in flight.
    if (batch->text.capacity() + batch->output.capacity() <= (std::size_t{1} << 20) &&
        spares_.size() < std::size_t{4}) {
      batch->clear();
      spares_.push_back(std::move(batch));
    }
  }

 public:
  Totals totals_;

 private:
  const BatchStream& stream_;
  BatchReader batches_;
  const Plan& plan_;
  ByteBudget budget_;
  std::vector<BatchWorker> workers_;
  std::vector<std::unique_ptr<Batch>> spares_;
};

// Writes all of `text` to standard output.
void writeStandardOutput(std::string_view text) {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = ::write(STDOUT_FILENO, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw std::runtime_error(std::string("cannot write the output: ") + std::strerror(errno));
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
}

// Counts the bytes the reader has taken from its source, for the progress
// bar: however the lines end, the last count is the file's size.
class CountingSource final : public ByteSource {
 public:
  explicit CountingSource(ByteSource& inner) : inner_(inner) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::ptrdiff_t got = inner_.read(buffer, size);
    if (got > 0) count_ += static_cast<std::uint64_t>(got);
    return got;
  }
  std::uint64_t count() const { return count_; }

 private:
  ByteSource& inner_;
  std::uint64_t count_ = 0;
};

}  // namespace

BatchReport streamRows(const BatchStream& stream) {
  BatchReport report;
  try {
    CsvOptions options;
    options.separator = stream.separator;
    options.chunkSize = stream.limits.chunkSize;
    options.maxRecordBytes = stream.limits.maxRecordBytes;
    options.maxFields = stream.limits.maxFields;
    options.recover = true;
    CsvReader reader(*stream.input, options);
    report.problem = readHeader(reader, stream);
    if (!report.problem.empty()) {
      report.status = 2;
      return report;
    }
    const std::vector<std::string> header(reader.fields().begin(), reader.fields().end());
    const RowColumns columns = stream.computer->columns(header);
    if (!columns.problem.empty()) {
      report.problem = columns.problem;
      report.status = 2;
      return report;
    }
    Plan plan;
    plan.resultCount = columns.names.size();
    if (stream.jsonLines) {
      plan.json.emplace(jsonInputNames(header), columns.names);
    } else {
      plan.csv.emplace(stream.separator, header.size());
      stream.write(plan.csv->headerLine(reader.raw(), csvAddedNames(header, columns.names)));
    }
    report.started = true;
    Streamer streamer(stream, reader, header.size(), plan);
    streamer.run(report);
    const Totals& totals = streamer.totals_;
    report.rows = totals.rows;
    report.failed = totals.failed;
    report.firstFailedLine = totals.firstFailedLine;
    report.firstError = totals.firstError;
    report.trailingSeparators = totals.trailingSeparators;
  } catch (const std::bad_alloc&) {
    report.problem = "not enough memory to compute the rows";
  } catch (const std::exception& e) {
    report.problem = e.what();
  }
  report.status = !report.problem.empty() ? 2 : report.failed > 0 ? 1 : 0;
  return report;
}

std::string summaryLine(const BatchReport& report) {
  std::string summary = std::to_string(report.rows) + " rows, " +
                        std::to_string(report.rows - report.failed) + " computed, " +
                        std::to_string(report.failed) + " failed";
  if (report.failed > 0) {
    summary += " (first on line " + std::to_string(report.firstFailedLine) + ": " +
               report.firstError + ")";
  }
  if (report.trailingSeparators > 0) {
    summary += "; " + std::to_string(report.trailingSeparators) +
               " rows ended in empty fields beyond the header, dropped";
  }
  return summary;
}

namespace {

int refuse(const std::string& message) {
  std::fprintf(stderr, "pyrelon-cli: %s\n", message.c_str());
  return 2;
}

// The input file or standard input, open; closed at the end unless it is
// standard input.
struct Input {
  int fd = STDIN_FILENO;
  struct stat info {};
  bool isFile = false;
  Input() = default;
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;
  ~Input() {
    if (fd != STDIN_FILENO) ::close(fd);
  }
};

// Opens the input; empty, or why it cannot be read from into `output`.
std::string openInput(const std::string& path, const struct stat& output, Input& input) {
  if (path != "-") {
    input.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (input.fd < 0) {
      input.fd = STDIN_FILENO;
      return "cannot open " + path + ": " + std::strerror(errno);
    }
  }
  input.isFile = ::fstat(input.fd, &input.info) == 0 && S_ISREG(input.info.st_mode);
  if (input.isFile && input.info.st_dev == output.st_dev && input.info.st_ino == output.st_ino)
    return "The output is the input file; write the results elsewhere.";
  return {};
}

void boundAllocations() {
#if defined(__GLIBC__)
  // Batch buffers of a megabyte and more are mapped and unmapped whole:
  // left to itself, the allocator raises the threshold after the first
  // ones are freed and keeps later ones in each thread's arena, and memory
  // grows with the number of threads rather than with the bytes in flight.
  // Any fixed threshold well under a batch's 4 MiB does; 256 KiB keeps the
  // small batches of narrow rows off the map.
  ::mallopt(M_MMAP_THRESHOLD, 256 << 10);
#endif
}

}  // namespace

int runBatch(const BatchOptions& options, RowComputer& computer) {
  // Before the input is opened: where standard output is closed, the input
  // would take its descriptor.
  struct stat output {};
  if (::fstat(STDOUT_FILENO, &output) != 0)
    return refuse(std::string("cannot write the output: ") + std::strerror(errno));
  Input input;
  if (const std::string problem = openInput(options.path, output, input); !problem.empty())
    return refuse(problem);
  boundAllocations();

  FdSource file(input.fd);
  CountingSource source(file);
  const bool showProgress = options.progress == BatchOptions::Progress::Always ||
                            (options.progress == BatchOptions::Progress::Auto && input.isFile &&
                             ::isatty(STDERR_FILENO) != 0);
  ProgressBar bar(showProgress, input.isFile ? static_cast<std::uint64_t>(input.info.st_size) : 0);
  BatchStream stream;
  stream.input = &source;
  stream.inputName = options.path;
  stream.computer = &computer;
  stream.separator = options.decimalComma ? ';' : ',';
  stream.jsonLines = options.jsonLines;
  const unsigned threads =
      options.threads != 0 ? options.threads : std::thread::hardware_concurrency();
  stream.threads = std::clamp(threads, 1u, kMostThreads);
  stream.write = writeStandardOutput;
  stream.progress = [&](std::uint64_t rows) { bar.update(rows, source.count()); };

  const BatchReport report = streamRows(stream);
  if (!report.started) return refuse(report.problem);
  bar.update(report.rows, source.count(), true);
  if (!report.problem.empty()) std::fprintf(stderr, "pyrelon-cli: %s\n", report.problem.c_str());
  std::fprintf(stderr, "pyrelon-cli: %s\n", summaryLine(report).c_str());
  return report.status;
}

}  // namespace pyrelon::cli
