#include "cli/csv.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace pyrelon::cli {
namespace {

using Fields = std::vector<std::string>;

// A status and its fields; after StrayQuote, where the quote opened.
struct Item {
  CsvStatus status;
  Fields fields;
  std::uint64_t strayLine = 0;
  std::size_t strayField = 0;
  bool operator==(const Item&) const = default;
};

void PrintTo(const Item& item, std::ostream* os) {
  *os << "status " << static_cast<int>(item.status) << " {";
  for (const std::string& f : item.fields) *os << '[' << f << ']';
  *os << "} stray " << item.strayLine << ':' << item.strayField;
}

// Everything the reader hands out up to End (which is not listed), handed
// the input at most `largestRead` bytes at a time.
std::vector<Item> readAll(std::string_view input, const CsvOptions& options,
                          std::size_t largestRead = SIZE_MAX) {
  MemorySource source(input, largestRead);
  CsvReader reader(source, options);
  std::vector<Item> items;
  // At most 1001 items: a reader that never ends fails, not hangs.
  for (CsvStatus status; (status = reader.next()) != CsvStatus::End && items.size() <= 1000;) {
    const bool stray = status == CsvStatus::StrayQuote;
    items.push_back({status, Fields(reader.fields().begin(), reader.fields().end()),
                     stray ? reader.strayQuoteLine() : 0, stray ? reader.strayQuoteField() : 0});
    if (status == CsvStatus::RecordTooLong || status == CsvStatus::TooManyFields) {
      EXPECT_TRUE(reader.fields().empty() && reader.raw().empty()) << input;
    }
  }
  EXPECT_EQ(reader.next(), CsvStatus::End);
  return items;
}

constexpr CsvStatus R = CsvStatus::Record, B = CsvStatus::Blank, S = CsvStatus::StrayQuote;
constexpr CsvStatus L = CsvStatus::RecordTooLong, W = CsvStatus::TooManyFields;

// Every input is read whole, in chunks of one byte, and with reads that stop
// short of the chunk, so that records, quotes and CRLFs fall across chunk
// boundaries at every place.
TEST(CsvReader, ReadsRecordsWhereverTheChunksEnd) {
  const struct {
    const char* name;
    std::string input;
    std::vector<Item> expected;
    char separator = ',';
  } cases[] = {
      // clang-format off
      {"plain", "a,b,c\n1,2,3\n", {{R, {"a", "b", "c"}}, {R, {"1", "2", "3"}}}},
      {"no final line end", "a,b\n1,2", {{R, {"a", "b"}}, {R, {"1", "2"}}}},
      {"CRLF", "a,b\r\n1,2\r\n", {{R, {"a", "b"}}, {R, {"1", "2"}}}},
      {"lone CR", "a\rb\r", {{R, {"a"}}, {R, {"b"}}}},
      {"CR then CRLF", "a\r\r\nb", {{R, {"a"}}, {B, {}}, {R, {"b"}}}},
      {"separator in quotes", "\"1,5\",x\n", {{R, {"1,5", "x"}}}},
      {"doubled quotes", "\"say \"\"hi\"\"\",2\n", {{R, {"say \"hi\"", "2"}}}},
      {"only a doubled quote", "\"\"\"\"\n", {{R, {"\""}}}},
      {"line ends in quotes", "\"l1\r\nl2\nl3\",z\r\n", {{R, {"l1\r\nl2\nl3", "z"}}}},
      {"empty fields", ",,\na,\n,b", {{R, {"", "", ""}}, {R, {"a", ""}}, {R, {"", "b"}}}},
      {"quoted empty field", "\"\"\n\"\",\"\"", {{R, {""}}, {R, {"", ""}}}},
      {"blank lines", "a\n\nb\r\n\r\n\nc\n",
       {{R, {"a"}}, {B, {}}, {R, {"b"}}, {B, {}}, {B, {}}, {R, {"c"}}}},
      {"leading blank line", "\na", {{B, {}}, {R, {"a"}}}},
      {"byte-order mark", "\xEF\xBB\xBFT,P\n1,2\n", {{R, {"T", "P"}}, {R, {"1", "2"}}}},
      {"byte-order mark alone", "\xEF\xBB\xBF", {}},
      {"mark then CRLF", "\xEF\xBB\xBF\r\nx", {{B, {}}, {R, {"x"}}}},
      {"mark only at the start", "a\n\xEF\xBB\xBF", {{R, {"a"}}, {R, {"\xEF\xBB\xBF"}}}},
      {"part of a mark", "\xEF\xBB", {{R, {"\xEF\xBB"}}}}, {"empty input", "", {}},
      {"header only", "time,temp\n", {{R, {"time", "temp"}}}},
      {"quote inside a plain field", "5\" pipe,x\"\n", {{R, {"5\" pipe", "x\""}}}},
      {"text after the closing quote", "\"ab\"c,\"d\"\"\"e\"\n", {{R, {"abc", "d\"e\""}}}},
      {"blank after a quoted field", "\"a\"\r\n\r\n", {{R, {"a"}}, {B, {}}}},
      {"NUL bytes", std::string("a\0b,\0\n", 6),
       {{R, {std::string("a\0b", 3), std::string(1, '\0')}}}},
      {"semicolon", "T;P\n\"1,5\";\"2;5\"\n1,5;2\n",
       {{R, {"T", "P"}}, {R, {"1,5", "2;5"}}, {R, {"1,5", "2"}}}, ';'},
      {"tab", "a b\tc,d\n", {{R, {"a b", "c,d"}}}, '\t'},
      // The unterminated rows end in a status of their own, set below.
      {"unterminated quote", "a,\"open\nrest", {{R, {"a", "open\nrest"}}}},
      {"unterminated after a doubled quote", "\"x\"\"", {{R, {"x\""}}}},
      // The buffer behind the last field still holds the quotes read before.
      {"unterminated after quotes", "\"\"\"\"\"\"\"\"\n\"ab", {{R, {"\"\"\""}}, {R, {"ab"}}}},
      // clang-format on
  };
  const std::pair<std::size_t, std::size_t> sizes[] = {
      {1 << 20, SIZE_MAX}, {1, 1}, {2, 2}, {3, 3}, {7, 5}, {64, 1}};  // chunk, largest read
  for (const auto& c : cases) {
    std::vector<Item> expected = c.expected;
    if (std::string_view(c.name).starts_with("unterminated"))
      expected.back().status = CsvStatus::UnterminatedQuote;
    for (const auto& [chunk, largestRead] : sizes) {
      EXPECT_EQ(readAll(c.input, {.separator = c.separator, .chunkSize = chunk}, largestRead),
                expected)
          << c.name << ", chunks of " << chunk;
    }
  }
}

TEST(CsvReader, RefusesSettingsThatCannotWork) {
  constexpr std::size_t kGiB = std::size_t{1} << 30;
  const char* const separatorRefused =
      "CSV separator must be an ASCII character other than a quote, CR or LF";
  const char* const sizeRefused = "CSV chunk size and record limit must be at most 1 GiB";
  // clang-format off
  const struct {
    const char* name; char separator; std::size_t chunkSize, maxRecordBytes;
    const char* refusal;  // nullptr: accepted
  } rows[] = {
      {"quote", '"', 4096, 4096, separatorRefused}, {"line feed", '\n', 4096, 4096, separatorRefused},
      {"carriage return", '\r', 4096, 4096, separatorRefused},
      {"first byte of UTF-8", '\xEF', 4096, 4096, separatorRefused},
      {"byte 0x80", '\x80', 4096, 4096, separatorRefused}, {"tab", '\t', 4096, 4096, nullptr},
      {"no chunk", ',', 0, 4096, "CSV chunk size must not be 0"},
      {"a chunk of 1 GiB", ',', kGiB, 4096, nullptr},
      {"a chunk past 1 GiB", ',', kGiB + 1, 4096, sizeRefused},
      {"records of 1 GiB", ',', 4096, kGiB, nullptr},
      {"records past 1 GiB", ',', 4096, kGiB + 1, sizeRefused},
  };
  // clang-format on
  MemorySource source("");
  for (const auto& r : rows) {
    std::string refusal;
    try {
      CsvReader reader(
          source,
          {.separator = r.separator, .chunkSize = r.chunkSize, .maxRecordBytes = r.maxRecordBytes});
    } catch (const std::invalid_argument& e) {
      refusal = e.what();
    }
    EXPECT_EQ(refusal, r.refusal ? r.refusal : "") << r.name;
  }
}

TEST(CsvReader, KeepsEachFieldAsWritten) {
  MemorySource source("1121.5,\"a \"\"q\"\"\",x\"y,\"c\"d,\r\n\"\"\n", 3);
  CsvReader reader(source, {.chunkSize = 4});
  ASSERT_EQ(reader.next(), CsvStatus::Record);
  EXPECT_EQ(reader.raw(), "1121.5,\"a \"\"q\"\"\",x\"y,\"c\"d,");
  const char* raw[] = {"1121.5", "\"a \"\"q\"\"\"", "x\"y", "\"c\"d", ""};
  const char* text[] = {"1121.5", "a \"q\"", "x\"y", "cd", ""};
  ASSERT_EQ(reader.fields().size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(reader.rawField(i), raw[i]) << i;
    EXPECT_EQ(reader.fields()[i], text[i]) << i;
  }
  ASSERT_EQ(reader.next(), CsvStatus::Record);
  EXPECT_EQ(reader.raw(), "\"\"");
  EXPECT_EQ(reader.rawField(0), "\"\"");
}

TEST(CsvReader, CountsLinesForMessages) {
  // Line 2 holds a quoted line feed, so the blank line is line 4.
  MemorySource source("a\n\"x\ny\",1\r\n\r\nb\rc", 2);
  CsvReader reader(source, {.chunkSize = 2});
  const std::pair<CsvStatus, std::uint64_t> expected[] = {{R, 1}, {R, 2}, {B, 4}, {R, 5}, {R, 6}};
  for (const auto& [status, line] : expected) {
    EXPECT_EQ(reader.next(), status);
    EXPECT_EQ(reader.line(), line);
  }
  EXPECT_EQ(reader.next(), CsvStatus::End);
}

TEST(CsvReader, ReadsAOneMegabyteField) {
  // 2^20 bytes of "ab,\"\n" repeated: every byte that needs quoting, and
  // each quote doubled in the file.
  std::string field, quoted;
  while (field.size() < (1u << 20)) field += "ab,\"\n";
  for (const char c : field) quoted += c == '"' ? "\"\"" : std::string(1, c);
  const std::string input = "x,\"" + quoted + "\",y\n1,2\n";
  for (const std::size_t chunk : {std::size_t{1}, std::size_t{4096}, std::size_t{1} << 20}) {
    MemorySource source(input);
    CsvReader reader(source, {.chunkSize = chunk});
    ASSERT_EQ(reader.next(), CsvStatus::Record) << chunk;
    EXPECT_TRUE(Fields(reader.fields().begin(), reader.fields().end()) == Fields({"x", field, "y"}))
        << chunk;
    ASSERT_EQ(reader.next(), CsvStatus::Record);
    EXPECT_EQ(reader.line(), 2u + field.size() / 5);  // one line feed per repeat
    EXPECT_EQ(reader.next(), CsvStatus::End);
  }
}

// Bytes in memory; counts what the reader takes, to show that it stops
// early, and when asked fails with EIO where the bytes end.
class TestSource final : public ByteSource {
 public:
  TestSource(std::string_view bytes, bool failAtEnd) : inner_(bytes), failAtEnd_(failAtEnd) {}
  std::ptrdiff_t read(char* buffer, std::size_t size) override {
    const std::ptrdiff_t n = inner_.read(buffer, size);
    taken += static_cast<std::size_t>(n);
    if (n == 0 && failAtEnd_) errno = EIO;
    return n == 0 && failAtEnd_ ? -1 : n;
  }
  std::size_t taken = 0;

 private:
  MemorySource inner_;
  bool failAtEnd_;
};

TEST(CsvReader, StopsAtItsLimits) {
  const struct {
    const char* input;
    std::size_t maxRecordBytes, maxFields;
    std::vector<CsvStatus> expected;
  } cases[] = {
      // clang-format off
      {"0123456789\nab", 10, 100, {R, R}}, {"0123456789,\nab", 10, 100, {L}},
      {"ab\n0123456789x", 10, 100, {R, L}},
      {"\"0\n2\n4\n6\n8\"\n", 11, 100, {R}}, {"\"0\n2\n4\n6\n8\n\"\n", 11, 100, {L}},
      {"a,b,c\n", 100, 3, {R}}, {"a,b,c,\n1", 100, 3, {W}}, {",,,", 100, 3, {W}},
      // Both limits broken: the third field ends within 5 bytes, or after.
      {"a,b,c\n", 5, 2, {W}}, {"a,b,cdef\n", 5, 2, {L}},
      // The same at the end of the input, without a line end: the record
      // exactly at its byte limit breaks only the field limit.
      {"a,b,c", 5, 2, {W}},
      // clang-format on
  };
  for (const auto& c : cases) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{100}}) {
      std::vector<CsvStatus> statuses;
      for (const Item& item : readAll(
               c.input,
               {.chunkSize = chunk, .maxRecordBytes = c.maxRecordBytes, .maxFields = c.maxFields}))
        statuses.push_back(item.status);
      EXPECT_EQ(statuses, c.expected) << c.input << " in chunks of " << chunk;
    }
  }

  // A stray quote at the start of a long input does not make the reader
  // take in the rest of the input.
  const std::string stray = "\"" + std::string(1 << 20, 'x');
  TestSource source(stray, false);
  CsvReader reader(source, {.chunkSize = 256, .maxRecordBytes = 1000});
  EXPECT_EQ(reader.next(), CsvStatus::RecordTooLong);
  EXPECT_LE(source.taken, 1256u);
  EXPECT_EQ(reader.next(), CsvStatus::End);
}

// Recovering (the batch mode): a broken record fails alone, a quote that
// never closes is read as a character, and the lines after both are read.
TEST(CsvReader, RecoversFromABrokenRecordAtTheNextLine) {
  const std::string longField(40, 'x');
  const struct {
    const char* name;
    std::string input;
    std::vector<Item> expected;
  } cases[] = {
      // clang-format off
      {"a quote open at the end", "a,\"open\nrest\nz",
       {{S, {"a", "\"open"}, 1, 1}, {R, {"rest"}}, {R, {"z"}}}},
      {"after a quoted field that closed", "\"q\nq\",\"b\nc,d\n",
       {{S, {"q\nq", "\"b"}, 2, 1}, {R, {"c", "d"}}}},
      {"a quote open past the record limit", "1,\"" + longField + "\n2\n" + longField + "\n3\n",
       {{S, {"1", "\"" + longField}, 1, 1}, {R, {"2"}}, {R, {longField}}, {R, {"3"}}}},
      {"a quote open on a line too long", "\"" + longField + longField + "\n2\n",
       {{L, {}}, {R, {"2"}}}},
      {"a record too long", "1\n" + longField + longField + "\r\n2\n",
       {{R, {"1"}}, {L, {}}, {R, {"2"}}}},
      {"a record too wide", "1,2,3,4,5,6,7\n2\n", {{W, {}}, {R, {"2"}}}},
      {"too wide at the end", "1,2,3,4,5,6,7", {{W, {}}}},
      {"too long at the end", "1\n" + longField + longField, {{R, {"1"}}, {L, {}}}},
      // clang-format on
  };
  for (const auto& c : cases) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 10}) {
      const CsvOptions options{
          .chunkSize = chunk, .maxRecordBytes = 64, .maxFields = 5, .recover = true};
      EXPECT_EQ(readAll(c.input, options, 3), c.expected) << c.name << ", chunks of " << chunk;
    }
  }
}

TEST(CsvReader, ReportsAFailingSource) {
  TestSource source("a,b\nc", true);
  CsvReader reader(source);
  EXPECT_EQ(reader.next(), CsvStatus::Record);
  EXPECT_EQ(reader.next(), CsvStatus::ReadError);
  EXPECT_EQ(reader.errorNumber(), EIO);
  EXPECT_EQ(reader.next(), CsvStatus::End);
}

TEST(CsvWriting, QuotesOnlyWhatNeedsIt) {
  const struct {
    std::string field;
    char separator;
    std::string written;
  } cases[] = {
      // clang-format off
      {"1121.5", ',', "1121.5"}, {"", ',', ""}, {" lead and trail ", ',', " lead and trail "},
      {"1,5", ',', "\"1,5\""}, {"1,5", ';', "1,5"}, {"2;5", ';', "\"2;5\""},
      {"say \"hi\"", ',', "\"say \"\"hi\"\"\""}, {"\"", ',', "\"\"\"\""}, {"a\nb", ',', "\"a\nb\""},
      {"a\rb", ';', "\"a\rb\""}, {"\xEF\xBB\xBFx", ',', "\"\xEF\xBB\xBFx\""},
      {"x\xEF\xBB\xBF", ',', "x\xEF\xBB\xBF"},
      // clang-format on
  };
  for (const auto& c : cases) {
    std::string out = "<";
    appendField(out, c.field, c.separator);
    EXPECT_EQ(out, "<" + c.written) << c.field;
    EXPECT_EQ(needsQuotes(c.field, c.separator), c.written != c.field) << c.field;
  }
}

TEST(CsvWriting, WritesRecords) {
  const struct {
    std::vector<std::string_view> fields;
    std::string_view lineEnd;
    std::string written;
  } cases[] = {
      // clang-format off
      {{"a", "b,c"}, "\n", "a,\"b,c\"\n"}, {{"a", "b"}, "\r\n", "a,b\r\n"}, {{""}, "\n", "\"\"\n"},
      {{"", ""}, "\n", ",\n"}, {{}, "\n", "\n"},
      // clang-format on
  };
  for (const auto& c : cases) {
    std::string out;
    appendRecord(out, c.fields, ',', c.lineEnd);
    EXPECT_EQ(out, c.written);
  }
}

}  // namespace
}  // namespace pyrelon::cli
