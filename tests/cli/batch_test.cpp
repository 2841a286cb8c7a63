// The batch pipeline in process, through a row computer of its own (the
// sum of two whole numbers), with small batches, a small byte budget and a
// thread starter that fails, so that ordering, back-pressure and totals
// across many batches are exercised at a small scale.
#include "cli/batch.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace pyrelon::cli {
namespace {

// "a,b" -> "a+b" for whole numbers; a row whose first field is "slow"
// waits before it is computed (a worker made to finish late), one whose
// first field is "bad" fails.
class SumComputer final : public RowComputer {
 public:
  RowColumns columns(std::span<const std::string>) override { return {{"sum"}, {}}; }
  std::unique_ptr<Worker> makeWorker() const override { return std::make_unique<SumWorker>(); }

 private:
  class SumWorker final : public Worker {
   public:
    void compute(std::span<const std::string_view> fields, std::vector<std::string>& results,
                 std::string& error) override {
      results.assign(1, std::string());
      if (fields.size() < 2) {
        error = "short";
      } else if (fields[0] == "slow") {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        error = "slow";
      } else if (fields[0] == "escape") {  // a computer that quotes a field unshortened
        error = "The a field \"" + std::string(fields[1]) + "\" is bad.";
      } else if (fields[0] == "bad") {
        results[0] = "left behind";  // the batch writes a failed row's results empty
        error = "bad";
      } else {
        results[0] =
            std::to_string(std::stol(std::string(fields[0])) + std::stol(std::string(fields[1])));
      }
    }
  };
};

struct Streamed {
  BatchReport report;
  std::string out;
};

// The rows of `source` through the sum computer; the write numbered
// `failingWrite` (from 1; 0 for none) fails as a full disk does.
Streamed stream(ByteSource& source, unsigned threads, BatchLimits limits = {},
                int failingWrite = 0) {
  SumComputer computer;
  Streamed run;
  int writes = 0;
  BatchStream s;
  s.input = &source;
  s.inputName = "in.csv";
  s.computer = &computer;
  s.threads = threads;
  s.write = [&](std::string_view text) {
    if (++writes == failingWrite)
      throw std::runtime_error("cannot write the output: No space left on device");
    run.out += text;
  };
  s.limits = std::move(limits);
  run.report = streamRows(s);
  return run;
}

Streamed stream(const std::string& input, unsigned threads, BatchLimits limits = {}) {
  MemorySource source(input, 97);  // reads cut at odd places
  return stream(source, threads, std::move(limits));
}

// Rows "i,1" for i from 0, with their expected output rows "i,1,i+1,".
struct Rows {
  std::string input = "a,b\n";
  std::string output = "a,b,sum,error\n";
  void add(int i) {
    input += std::to_string(i) + ",1\n";
    output += std::to_string(i) + ",1," + std::to_string(i + 1) + ",\n";
  }
  void addRaw(const std::string& in, const std::string& out) {
    input += in;
    output += out;
  }
};

// Limits: many batches, one of them late, come out in order; the first
// failure named is the first in the file; threads that cannot start.
TEST(BatchLimits, ManyBatchesComeOutInOrderAndTheFirstFailureNamedIsTheFirstInTheFile) {
  // Line 4 fails in the first batch, which waits on its slow row; a later
  // batch fails too, and finishes first.
  Rows rows;
  rows.add(0);
  rows.addRaw("slow,1\n", "slow,1,,slow\n");
  rows.addRaw("bad,1\n", "bad,1,,bad\n");
  for (int i = 3; i < 2000; ++i) i == 10 ? rows.addRaw("bad,2\n", "bad,2,,bad\n") : rows.add(i);
  for (const unsigned threads : {1u, 2u, 4u, 16u}) {
    const Streamed run = stream(rows.input, threads, {.rowsPerBatch = 7});
    EXPECT_EQ(run.out, rows.output) << threads << " threads";
    EXPECT_EQ(run.report.status, 1);
    EXPECT_EQ(summaryLine(run.report),
              "2000 rows, 1997 computed, 3 failed (first on line 3: slow)");
  }
}

TEST(BatchLimits, AThreadThatCannotStartIsAnErrorNotAHang) {
  std::atomic<int> started{0}, ended{0};
  BatchLimits limits{.rowsPerBatch = 3};
  limits.startThread = [&](std::function<void()> body) {
    if (started == 2)
      throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    ++started;
    return std::thread([&ended, body = std::move(body)] {
      body();
      ++ended;
    });
  };
  Rows rows;
  for (int i = 0; i < 20; ++i) rows.add(i);
  const Streamed run = stream(rows.input, 8, limits);
  EXPECT_EQ(run.report.status, 2);
  EXPECT_EQ(run.report.problem, "cannot start a thread: Resource temporarily unavailable");
  EXPECT_EQ(started, 2);
  EXPECT_EQ(ended, 2);  // the two that started were stopped and joined
  EXPECT_EQ(run.out, "a,b,sum,error\n");
}

// The reader hands out no batch while the budget is spent: a slow first
// row keeps every later batch waiting, and with no budget they pile up.
TEST(BatchLimits, BytesInFlightStayWithinTheBudget) {
  // Rows of some 200 bytes, their note in a column of its own.
  const std::string note = "," + std::string(200, 'n') + "\n";
  std::string input = "a,b,note\nslow,1" + note;
  for (int i = 1; i < 400; ++i) input += std::to_string(i) + ",1" + note;
  const BatchLimits limits{.bytesPerBatch = 1024, .bytesInFlight = 4096};  // about five rows
  for (const unsigned threads : {2u, 8u, 64u}) {
    const Streamed bounded = stream(input, threads, limits);
    EXPECT_EQ(bounded.report.rows, 400u);
    EXPECT_EQ(bounded.report.status, 1);
    // Inputs in flight stay within the budget; the outputs of the batches
    // being computed come on top (at most one batch each).
    EXPECT_LE(bounded.report.peakBytesInFlight, 3 * limits.bytesInFlight) << threads;
    BatchLimits open = limits;
    open.bytesInFlight = SIZE_MAX / 4;
    const Streamed unbounded = stream(input, threads, open);
    EXPECT_EQ(unbounded.out, bounded.out);
    // Without the budget only the count of batches (threads + 2) bounds
    // them: with 8 threads and more that is well past the budget.
    if (threads >= 8) {
      EXPECT_GT(unbounded.report.peakBytesInFlight, 3 * limits.bytesInFlight) << threads;
    }
  }
}

// Malformed files: a record past the limits fails alone, wherever it falls
// among the batches. A quote that would run past the record limit is read
// as a character: the lines after it stay rows of their own.
TEST(BatchMalformed, ARecordPastTheLimitsFailsAlone) {
  const BatchLimits limits{
      .rowsPerBatch = 4, .maxRecordBytes = 64, .maxFields = 8, .chunkSize = 16};
  const struct {
    const char* name;
    std::string record, written;
  } cases[] = {
      {"too long", std::string(100, '7') + ",1", ",,,The record is longer than 64 bytes."},
      {"too wide", "1,2,3,4,5,6,7,8,9", ",,,The record has more than 8 fields."},
      {"quote too long", "\"" + std::string(100, 'q') + "\",1",
       ",,,The record is longer than 64 bytes."},
      {"stray quote", "1,\"oops",
       "1,\"\"\"oops\",,The quote that opens field 2 on line 12 is never closed."},
  };
  for (const auto& c : cases) {
    Rows rows;
    for (int i = 0; i < 10; ++i) rows.add(i);
    rows.addRaw(c.record + "\n", c.written + "\n");
    for (int i = 11; i < 40; ++i) rows.add(i);  // past the record limit
    for (const unsigned threads : {1u, 2u, 3u}) {
      const Streamed run = stream(rows.input, threads, limits);
      EXPECT_EQ(run.out, rows.output) << c.name;
      EXPECT_EQ(run.report.firstFailedLine, 12u) << c.name;
      EXPECT_EQ(run.report.rows, 40u) << c.name;
      EXPECT_EQ(run.report.failed, 1u) << c.name;
    }
  }
}

// Whatever a computer writes in its sentence, the row's error and the
// summary stay one line, with no control byte.
TEST(BatchMalformed, AnErrorSentenceStaysOneShortLine) {
  const std::string input = "a,b\nescape,\"x\x1b[2J\ny\"\nescape," + std::string(500, 'z') + "\n";
  const Streamed run = stream(input, 1);
  EXPECT_EQ(run.out,
            "a,b,sum,error\nescape,\"x\x1b[2J\ny\",,\"The a field \"\"x\\x1B[2J\\x0Ay\"\" is "
            "bad.\"\nescape," +
                std::string(500, 'z') + ",,\"The a field \"\"" + std::string(400 - 13, 'z') +
                "...\"\n");
  EXPECT_EQ(run.report.firstError, "The a field \"x\\x1B[2J\\x0Ay\" is bad.");
}

// A source that gives its bytes, 50 at a time, then fails as a disk does.
class FailingSource final : public ByteSource {
  MemorySource inner_;

 public:
  explicit FailingSource(std::string_view bytes) : inner_(bytes, 50) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::ptrdiff_t n = inner_.read(buffer, size);
    if (n == 0) errno = EIO;
    return n == 0 ? -1 : n;
  }
};

// A failed file: the problem, and the rows before it written.
TEST(BatchWrites, AWriteOrReadThatFailsStopsTheBatchWithItsReason) {
  Rows rows;
  for (int i = 0; i < 100; ++i) rows.add(i);
  for (const unsigned threads : {1u, 4u}) {
    MemorySource source(rows.input);
    const Streamed written = stream(source, threads, {.rowsPerBatch = 10}, 4);
    EXPECT_EQ(written.report.status, 2);
    EXPECT_EQ(written.report.problem, "cannot write the output: No space left on device");
    EXPECT_EQ(written.report.rows, 20u);  // the header, then two batches
    EXPECT_EQ(written.out, rows.output.substr(0, rows.output.find("20,1,")));
    FailingSource failing(rows.input);
    const Streamed read = stream(failing, threads, {.rowsPerBatch = 7});
    EXPECT_EQ(read.report.status, 2);
    EXPECT_EQ(read.report.problem, "cannot read in.csv after line 101: Input/output error");
    EXPECT_EQ(read.report.rows, 100u);
    EXPECT_EQ(read.out, rows.output);
  }
}

}  // namespace
}  // namespace pyrelon::cli
