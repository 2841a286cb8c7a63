#include "cli/batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <nlohmann/json.hpp>
#include <string_view>
#include <thread>

#include "cli/csv.h"
#include "cli/rows.h"
#include "shell/press.h"

namespace pyrelon::cli {
namespace {

constexpr std::size_t kRowsPerBatch = 4096;

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

void usage(const std::string& message) {
  std::fprintf(stderr, "pyrelon-cli: %s\n", message.c_str());
}

// Everything a row needs, fixed before the first row.
struct Plan {
  const PanelDescriptor* panel;
  int entry;
  NumberSettings settings;
  bool decimalComma;
  bool jsonLines;
  char separator;
  std::vector<int> read;              // the inputs the entry reads
  std::vector<int> column;            // per input: its column, or -1
  std::vector<std::string> constant;  // per input: the option's text
  std::vector<std::string> header;    // the input header, unescaped
  std::vector<std::string_view> resultKeys;
};

// One input record, copied out of the reader: the record as written, and
// where each field's value lies (inside the record when it was written
// without quotes, else an unescaped copy after it).
struct Record {
  std::uint64_t line;
  std::uint32_t rawOffset, rawLength;
  std::uint32_t first;  // index of its first field in the batch
  std::uint32_t count;
};

struct Batch {
  std::uint64_t sequence = 0;
  std::string text;  // the records as written, and unescaped copies of quoted fields
  std::vector<std::pair<std::uint32_t, std::uint32_t>> values;  // offset, length
  std::vector<Record> records;
  std::string output;
  std::uint64_t failed = 0;
  std::uint64_t firstFailedLine = 0;
  std::string firstError;

  void clear() {
    text.clear();
    values.clear();
    records.clear();
    output.clear();
    failed = 0;
    firstFailedLine = 0;
    firstError.clear();
  }
  std::string_view value(std::size_t i) const {
    return {text.data() + values[i].first, values[i].second};
  }
  std::string_view raw(const Record& r) const { return {text.data() + r.rawOffset, r.rawLength}; }
};

// Computes one row: the press of its readings, or the reason it has none.
struct RowWorker {
  const Plan& plan;
  std::vector<ReadResult> readings;
  Outcome outcome;
  std::vector<std::string> shown;
  std::string error;

  explicit RowWorker(const Plan& p) : plan(p), readings(p.panel->inputs.size()) {
    for (std::size_t i = 0; i < readings.size(); ++i) readings[i] = readVal(p.constant[i]);
  }

  // False when the row has no results; `error` says why.
  bool compute(const Batch& batch, const Record& record) {
    error.clear();
    // A row that fails carries every result column, empty.
    shown.resize(plan.resultKeys.size());
    for (std::string& s : shown) s.clear();
    for (const int input : plan.read) {
      const auto i = static_cast<std::size_t>(input);
      const int column = plan.column[i];
      if (column < 0) continue;
      const std::string_view key = plan.panel->inputs[i].key;
      if (static_cast<std::uint32_t>(column) >= record.count) {
        error = "The row has no " + std::string(key) + " field.";
        return false;
      }
      const std::string_view field = batch.value(record.first + static_cast<std::uint32_t>(column));
      const std::optional<ReadResult> reading = strictReading(field, plan.decimalComma);
      if (!reading) {
        error =
            "The " + std::string(key) + " field \"" + std::string(field) + "\" is not a number.";
        return false;
      }
      readings[i] = *reading;
    }
    pressReadings(*plan.panel, readings, plan.entry, plan.settings, outcome);
    shownResults(*plan.panel, plan.entry, outcome, shown);
    error = errorOf(outcome);
    if (!error.empty()) {
      // Not even the results written before the fault.
      for (std::string& s : shown) s.clear();
      return false;
    }
    return true;
  }

  void writeCsv(const Batch& batch, const Record& record, std::string& out) const {
    // The record as written is its fields as written, joined by the
    // separator; a short row is padded to the header's columns.
    out += batch.raw(record);
    for (std::size_t f = std::max<std::size_t>(record.count, 1); f < plan.header.size(); ++f)
      out += plan.separator;
    for (const std::string& s : shown) {
      out += plan.separator;
      appendField(out, s, plan.separator);
    }
    out += plan.separator;
    appendField(out, error, plan.separator);
    out += '\n';
  }

  void writeJson(const Batch& batch, const Record& record, std::string& out) const {
    nlohmann::ordered_json row;
    row["line"] = record.line;
    for (std::size_t f = 0; f < record.count; ++f) {
      const std::string name =
          f < plan.header.size() ? plan.header[f] : "column" + std::to_string(f + 1);
      row[name] = std::string(batch.value(record.first + f));
    }
    nlohmann::ordered_json results = nlohmann::ordered_json::object();
    for (std::size_t r = 0; r < shown.size(); ++r) {
      results[std::string(plan.resultKeys[r])] =
          shown[r].empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(shown[r]);
    }
    row["results"] = std::move(results);
    row["error"] = error.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(error);
    out += row.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
    out += '\n';
  }

  void process(Batch& batch) {
    batch.output.reserve(batch.text.size() + batch.records.size() * 24);
    for (const Record& record : batch.records) {
      if (!compute(batch, record)) {
        if (batch.failed++ == 0) {
          batch.firstFailedLine = record.line;
          batch.firstError = error;
        }
      }
      if (plan.jsonLines) {
        writeJson(batch, record, batch.output);
      } else {
        writeCsv(batch, record, batch.output);
      }
    }
  }
};

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

void writeAll(const std::string& text) {
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

// Rows done and rows per second on one line of the terminal.
class Progress {
 public:
  Progress(bool shown, std::uint64_t totalBytes) : shown_(shown), total_(totalBytes) {}
  void update(std::uint64_t rows, std::uint64_t bytes, bool last = false) {
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    if (!last && now - lastShown_ < std::chrono::milliseconds(200)) return;
    lastShown_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double rate = seconds > 0 ? static_cast<double>(rows) / seconds : 0;
    const double done = total_ > 0 ? std::min(1.0, static_cast<double>(bytes) / total_) : 0;
    constexpr int kWidth = 30;
    const int filled = static_cast<int>(done * kWidth);
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%  %llu rows  %.2f M rows/s", filled,
                 "##############################", kWidth - filled, "",
                 static_cast<int>(done * 100), static_cast<unsigned long long>(rows), rate / 1e6);
    if (last) std::fputc('\n', stderr);
  }

 private:
  bool shown_;
  std::uint64_t total_;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
  std::chrono::steady_clock::time_point lastShown_{};
};

// Hands batches to the workers and takes them back in order.
class Pipeline {
 public:
  Pipeline(const Plan& plan, unsigned workers) : plan_(plan) {
    for (unsigned i = 0; i < workers; ++i) threads_.emplace_back([this] { work(); });
  }
  ~Pipeline() {
    {
      const std::lock_guard lock(mutex_);
      closing_ = true;
    }
    ready_.notify_all();
    for (std::thread& t : threads_) t.join();
  }

  // Whether another batch may be submitted; otherwise the caller takes
  // done batches first, which keeps memory bounded.
  bool hasRoom() {
    const std::lock_guard lock(mutex_);
    return inFlight_ < 2 * threads_.size() + 2;
  }

  void submit(std::unique_ptr<Batch> batch) {
    const std::lock_guard lock(mutex_);
    ++inFlight_;
    todo_.push_back(std::move(batch));
    ready_.notify_one();
  }

  // The next batch in order once it is done, or nullptr when none is in
  // flight; waits for it.
  std::unique_ptr<Batch> nextDone(bool wait) {
    std::unique_lock lock(mutex_);
    for (;;) {
      const auto it = done_.find(nextOut_);
      if (it != done_.end()) {
        std::unique_ptr<Batch> batch = std::move(it->second);
        done_.erase(it);
        ++nextOut_;
        --inFlight_;
        return batch;
      }
      if (!wait || inFlight_ == 0) return nullptr;
      finished_.wait(lock);
    }
  }

  std::unique_ptr<Batch> spare() {
    const std::lock_guard lock(mutex_);
    if (spares_.empty()) return std::make_unique<Batch>();
    std::unique_ptr<Batch> batch = std::move(spares_.back());
    spares_.pop_back();
    return batch;
  }
  void giveBack(std::unique_ptr<Batch> batch) {
    batch->clear();
    const std::lock_guard lock(mutex_);
    spares_.push_back(std::move(batch));
  }

 private:
  void work() {
    RowWorker worker(plan_);
    for (;;) {
      std::unique_ptr<Batch> batch;
      {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return closing_ || !todo_.empty(); });
        if (todo_.empty()) return;
        batch = std::move(todo_.front());
        todo_.pop_front();
      }
      worker.process(*batch);
      {
        const std::lock_guard lock(mutex_);
        const std::uint64_t sequence = batch->sequence;
        done_.emplace(sequence, std::move(batch));
      }
      finished_.notify_all();
    }
  }

  const Plan& plan_;
  std::vector<std::thread> threads_;
  std::mutex mutex_;
  std::condition_variable ready_, finished_;
  std::deque<std::unique_ptr<Batch>> todo_;
  std::map<std::uint64_t, std::unique_ptr<Batch>> done_;
  std::vector<std::unique_ptr<Batch>> spares_;
  std::uint64_t nextOut_ = 0;
  std::size_t inFlight_ = 0;
  bool closing_ = false;
};

struct Totals {
  std::uint64_t rows = 0, failed = 0, firstFailedLine = 0;
  std::string firstError;

  void add(const Batch& batch) {
    rows += batch.records.size();
    if (batch.failed > 0 && failed == 0) {
      firstFailedLine = batch.firstFailedLine;
      firstError = batch.firstError;
    }
    failed += batch.failed;
  }
};

std::string headerLine(const Plan& plan, const CsvReader& reader, std::size_t fields) {
  std::string out;
  if (plan.jsonLines) return out;
  for (std::size_t f = 0; f < fields; ++f) {
    if (f > 0) out += plan.separator;
    out += reader.rawField(f);
  }
  for (const std::string_view key : plan.resultKeys) {
    out += plan.separator;
    out += key;
  }
  out += plan.separator;
  out += "error\n";
  return out;
}

}  // namespace

int runBatch(const BatchOptions& options) {
  const PanelDescriptor& panel = *options.panel;
  int fd = STDIN_FILENO;
  bool isFile = false;
  std::uint64_t size = 0;
  if (options.path != "-") {
    fd = ::open(options.path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      usage("cannot open " + options.path + ": " + std::strerror(errno));
      return 2;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
      isFile = true;
      size = static_cast<std::uint64_t>(info.st_size);
    }
  }
  struct Closer {
    int fd;
    ~Closer() {
      if (fd != STDIN_FILENO) ::close(fd);
    }
  } closer{fd};

  Plan plan{&panel,
            options.entry,
            {},
            options.decimalComma,
            options.jsonLines,
            options.decimalComma ? ';' : ',',
            inputsRead(panel, options.entry),
            {},
            {},
            {},
            {}};
  plan.settings = options.decimalComma ? NumberSettings{",", "."} : NumberSettings{".", ","};
  for (const ResultSpec& r : panel.resultsFor(options.entry)) plan.resultKeys.push_back(r.key);

  FdSource file(fd);
  CountingSource source(file);
  CsvOptions csvOptions;
  csvOptions.separator = plan.separator;
  CsvReader reader(source, csvOptions);

  CsvStatus status = reader.next();
  while (status == CsvStatus::Blank) status = reader.next();
  if (status != CsvStatus::Record) {
    usage(status == CsvStatus::End ? "the input " + options.path + " holds no header line"
                                   : "cannot read the header line of " + options.path);
    return 2;
  }
  const std::size_t headerFields = reader.fields().size();
  for (const std::string_view f : reader.fields()) plan.header.emplace_back(f);

  // Each input the entry reads comes from its option, or from the column
  // named after it (or as --map says), whatever the case.
  plan.column.assign(panel.inputs.size(), -1);
  plan.constant.assign(panel.inputs.size(), std::string());
  for (const int input : plan.read) {
    const auto i = static_cast<std::size_t>(input);
    const InputSpec& spec = panel.inputs[i];
    if (i < options.constants.size() && options.constants[i]) {
      plan.constant[i] = *options.constants[i];
      continue;
    }
    std::string wanted(spec.key);
    for (const auto& [key, column] : options.columnNames)
      if (key == spec.key) wanted = column;
    for (std::size_t c = 0; c < plan.header.size(); ++c) {
      if (lowered(trimmed(plan.header[c])) == lowered(trimmed(wanted))) {
        plan.column[i] = static_cast<int>(c);
        break;
      }
    }
    if (plan.column[i] < 0) {
      usage("no column \"" + wanted + "\" for the " + std::string(spec.what) + " in " +
            options.path + "; give --" + std::string(spec.key) + " or --map " +
            std::string(spec.key) + "=COLUMN");
      return 2;
    }
  }

  Totals totals;
  const bool showProgress =
      options.progress == BatchOptions::Progress::Always ||
      (options.progress == BatchOptions::Progress::Auto && isFile && ::isatty(STDERR_FILENO) != 0);
  Progress progress(showProgress, size);
  try {
    writeAll(headerLine(plan, reader, headerFields));
    unsigned workers = options.threads != 0 ? options.threads : std::thread::hardware_concurrency();
    if (workers == 0) workers = 1;
    std::optional<Pipeline> pipeline;
    std::optional<RowWorker> inline_;
    if (workers > 1) {
      pipeline.emplace(plan, workers);
    } else {
      inline_.emplace(plan);
    }

    std::uint64_t sequence = 0;
    bool more = true;
    while (more) {
      std::unique_ptr<Batch> batch = pipeline ? pipeline->spare() : std::make_unique<Batch>();
      batch->sequence = sequence++;
      while (batch->records.size() < kRowsPerBatch) {
        status = reader.next();
        if (status == CsvStatus::Blank) continue;
        if (status != CsvStatus::Record && status != CsvStatus::UnterminatedQuote) {
          if (status != CsvStatus::End) {
            std::string why =
                status == CsvStatus::ReadError
                    ? std::string("cannot read: ") + std::strerror(reader.errorNumber())
                : status == CsvStatus::RecordTooLong ? std::string("a record too long")
                                                     : std::string("a record with too many fields");
            usage(options.path + " line " + std::to_string(reader.line()) + ": " + why);
            if (pipeline)
              while (auto done = pipeline->nextDone(true)) writeAll(done->output);
            return 2;
          }
          more = false;
          break;
        }
        const auto fields = reader.fields();
        std::string_view raw = reader.raw();
        // A field whose quote is never closed is written back closed, so the
        // output reads as the input was read.
        std::string closed;
        if (status == CsvStatus::UnterminatedQuote) {
          for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f > 0) closed += plan.separator;
            appendField(closed, fields[f], plan.separator);
          }
          raw = closed;
        }
        const auto rawAt = static_cast<std::uint32_t>(batch->text.size());
        batch->text += raw;
        const Record record{reader.line(), rawAt, static_cast<std::uint32_t>(raw.size()),
                            static_cast<std::uint32_t>(batch->values.size()),
                            static_cast<std::uint32_t>(fields.size())};
        for (std::size_t f = 0; f < fields.size(); ++f) {
          const std::string_view value = fields[f];
          const std::string_view written = reader.rawField(f);
          if (closed.empty() && value.data() == written.data() && value.size() == written.size()) {
            batch->values.emplace_back(
                rawAt + static_cast<std::uint32_t>(written.data() - raw.data()),
                static_cast<std::uint32_t>(value.size()));
          } else {
            batch->values.emplace_back(static_cast<std::uint32_t>(batch->text.size()),
                                       static_cast<std::uint32_t>(value.size()));
            batch->text += value;
          }
        }
        batch->records.push_back(record);
        if (status == CsvStatus::UnterminatedQuote) {
          // The row is kept as read, and the user told why it may be cut.
          usage(options.path + " line " + std::to_string(reader.line()) +
                ": the input ends inside a quoted field");
          more = false;
          break;
        }
      }
      if (pipeline) {
        while (!pipeline->hasRoom()) {
          std::unique_ptr<Batch> done = pipeline->nextDone(true);
          totals.add(*done);
          writeAll(done->output);
          pipeline->giveBack(std::move(done));
        }
        pipeline->submit(std::move(batch));
        while (auto done = pipeline->nextDone(false)) {
          totals.add(*done);
          writeAll(done->output);
          pipeline->giveBack(std::move(done));
        }
      } else {
        inline_->process(*batch);
        totals.add(*batch);
        writeAll(batch->output);
      }
      progress.update(totals.rows, source.count());
    }
    if (pipeline) {
      while (auto done = pipeline->nextDone(true)) {
        totals.add(*done);
        writeAll(done->output);
      }
    }
  } catch (const std::exception& e) {
    usage(e.what());
    return 2;
  }
  progress.update(totals.rows, source.count(), true);

  std::string summary = std::to_string(totals.rows) + " rows, " +
                        std::to_string(totals.rows - totals.failed) + " computed, " +
                        std::to_string(totals.failed) + " failed";
  if (totals.failed > 0) {
    summary += " (first on line " + std::to_string(totals.firstFailedLine) + ": " +
               totals.firstError + ")";
  }
  std::fprintf(stderr, "pyrelon-cli: %s\n", summary.c_str());
  return totals.failed > 0 ? 1 : 0;
}

}  // namespace pyrelon::cli
