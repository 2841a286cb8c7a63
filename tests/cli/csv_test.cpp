#include "cli/csv.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace pyrelon::cli {
namespace {

using Fields = std::vector<std::string>;

struct Item {
  CsvStatus status;
  Fields fields;
};

bool operator==(const Item& a, const Item& b) {
  return a.status == b.status && a.fields == b.fields;
}

void PrintTo(const Item& item, std::ostream* os) {
  *os << "status " << static_cast<int>(item.status) << " {";
  for (const std::string& f : item.fields) *os << '[' << f << ']';
  *os << '}';
}

// Everything the reader hands out up to End (which is not listed).
std::vector<Item> readAll(ByteSource& source, const CsvOptions& options) {
  CsvReader reader(source, options);
  std::vector<Item> items;
  for (;;) {
    const CsvStatus status = reader.next();
    if (status == CsvStatus::End) break;
    items.push_back({status, Fields(reader.fields().begin(), reader.fields().end())});
    if (items.size() > 1000) break;  // a reader that never ends
  }
  EXPECT_EQ(reader.next(), CsvStatus::End);
  return items;
}

// Every input is read whole, in chunks of one byte, and with reads that stop
// short of the chunk, so that records, quotes and CRLFs fall across chunk
// boundaries at every place.
std::vector<std::vector<Item>> readInEverySize(std::string_view input, char separator = ',') {
  struct Size {
    std::size_t chunk;
    std::size_t largestRead;
  };
  std::vector<std::vector<Item>> results;
  for (const Size size :
       {Size{1 << 20, SIZE_MAX}, Size{1, 1}, Size{2, 2}, Size{3, 3}, Size{7, 5}, Size{64, 1}}) {
    MemorySource source(input, size.largestRead);
    CsvOptions options;
    options.separator = separator;
    options.chunkSize = size.chunk;
    results.push_back(readAll(source, options));
  }
  return results;
}

constexpr CsvStatus R = CsvStatus::Record;
constexpr CsvStatus B = CsvStatus::Blank;

struct ReadCase {
  const char* name;
  std::string input;
  std::vector<Item> expected;
};

TEST(CsvReader, ReadsRecordsWhereverTheChunksEnd) {
  // clang-format off
  const ReadCase cases[] = {
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
      {"part of a mark", "\xEF\xBB", {{R, {"\xEF\xBB"}}}},
      {"empty input", "", {}},
      {"header only", "time,temp\n", {{R, {"time", "temp"}}}},
      {"quote inside a plain field", "5\" pipe,x\"\n", {{R, {"5\" pipe", "x\""}}}},
      {"text after the closing quote", "\"ab\"c,\"d\"\"\"e\"\n", {{R, {"abc", "d\"e\""}}}},
      {"blank after a quoted field", "\"a\"\r\n\r\n", {{R, {"a"}}, {B, {}}}},
      {"NUL bytes", std::string("a\0b,\0\n", 6),
       {{R, {std::string("a\0b", 3), std::string(1, '\0')}}}},
      // The unterminated rows end in a status of their own, set below.
      {"unterminated quote", "a,\"open\nrest", {{R, {"a", "open\nrest"}}}},
      {"unterminated after a doubled quote", "\"x\"\"", {{R, {"x\""}}}},
      // The buffer behind the last field still holds the quotes read before.
      {"unterminated after quotes", "\"\"\"\"\"\"\"\"\n\"ab", {{R, {"\"\"\""}}, {R, {"ab"}}}},
  };
  // clang-format on
  for (const ReadCase& c : cases) {
    std::vector<Item> expected = c.expected;
    if (std::string_view(c.name).starts_with("unterminated"))
      expected.back().status = CsvStatus::UnterminatedQuote;
    for (const std::vector<Item>& result : readInEverySize(c.input))
      EXPECT_EQ(result, expected) << c.name;
  }
}

TEST(CsvReader, SplitsAtTheChosenSeparator) {
  const std::string input = "T;P\n\"1,5\";\"2;5\"\n1,5;2\n";
  const std::vector<Item> semicolon = {{R, {"T", "P"}}, {R, {"1,5", "2;5"}}, {R, {"1,5", "2"}}};
  for (const std::vector<Item>& result : readInEverySize(input, ';')) EXPECT_EQ(result, semicolon);

  const std::vector<Item> tab = {{R, {"a b", "c,d"}}};
  for (const std::vector<Item>& result : readInEverySize("a b\tc,d\n", '\t'))
    EXPECT_EQ(result, tab);
}

TEST(CsvReader, RefusesSettingsThatCannotWork) {
  constexpr std::size_t kGiB = std::size_t{1} << 30;
  const char* const separatorRefused =
      "CSV separator must be an ASCII character other than a quote, CR or LF";
  const char* const sizeRefused = "CSV chunk size and record limit must be at most 1 GiB";
  const struct {
    const char* name;
    char separator;
    std::size_t chunkSize, maxRecordBytes;
    const char* refusal;  // nullptr: accepted
  } rows[] = {
      {"quote", '"', 4096, 4096, separatorRefused},
      {"carriage return", '\r', 4096, 4096, separatorRefused},
      {"line feed", '\n', 4096, 4096, separatorRefused},
      {"first byte of UTF-8", '\xEF', 4096, 4096, separatorRefused},
      {"byte 0x80", '\x80', 4096, 4096, separatorRefused},
      {"tab", '\t', 4096, 4096, nullptr},
      {"no chunk", ',', 0, 4096, "CSV chunk size must not be 0"},
      {"a chunk of 1 GiB", ',', kGiB, 4096, nullptr},
      {"a chunk past 1 GiB", ',', kGiB + 1, 4096, sizeRefused},
      {"records of 1 GiB", ',', 4096, kGiB, nullptr},
      {"records past 1 GiB", ',', 4096, kGiB + 1, sizeRefused},
  };
  MemorySource source("");
  for (const auto& r : rows) {
    CsvOptions options;
    options.separator = r.separator;
    options.chunkSize = r.chunkSize;
    options.maxRecordBytes = r.maxRecordBytes;
    std::string refusal;
    try {
      CsvReader reader(source, options);
    } catch (const std::invalid_argument& e) {
      refusal = e.what();
    }
    EXPECT_EQ(refusal, r.refusal ? r.refusal : "") << r.name;
  }
}

TEST(CsvReader, KeepsEachFieldAsWritten) {
  MemorySource source("1121.5,\"a \"\"q\"\"\",x\"y,\"c\"d,\r\n\"\"\n", 3);
  CsvOptions options;
  options.chunkSize = 4;
  CsvReader reader(source, options);
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
  CsvOptions options;
  options.chunkSize = 2;
  CsvReader reader(source, options);
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
  std::string field;
  while (field.size() < (1u << 20)) field += "ab,\"\n";
  std::string quoted;
  for (const char c : field) {
    quoted += c;
    if (c == '"') quoted += '"';
  }
  const std::string input = "x,\"" + quoted + "\",y\n1,2\n";
  for (const std::size_t chunk : {std::size_t{1}, std::size_t{4096}, std::size_t{1} << 20}) {
    MemorySource source(input);
    CsvOptions options;
    options.chunkSize = chunk;
    CsvReader reader(source, options);
    ASSERT_EQ(reader.next(), CsvStatus::Record) << chunk;
    ASSERT_EQ(reader.fields().size(), 3u);
    EXPECT_EQ(reader.fields()[0], "x");
    EXPECT_TRUE(reader.fields()[1] == field) << chunk;
    EXPECT_EQ(reader.fields()[2], "y");
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
    if (n == 0 && failAtEnd_) {
      errno = EIO;
      return -1;
    }
    taken += static_cast<std::size_t>(n);
    return n;
  }
  std::size_t taken = 0;

 private:
  MemorySource inner_;
  bool failAtEnd_;
};

TEST(CsvReader, StopsAtItsLimits) {
  struct LimitCase {
    const char* input;
    std::size_t maxRecordBytes;
    std::size_t maxFields;
    std::vector<CsvStatus> expected;
  };
  const LimitCase cases[] = {
      {"0123456789\nab", 10, 100, {R, R}},
      {"0123456789,\nab", 10, 100, {CsvStatus::RecordTooLong}},
      {"ab\n0123456789x", 10, 100, {R, CsvStatus::RecordTooLong}},
      {"\"0\n2\n4\n6\n8\"\n", 11, 100, {R}},
      {"\"0\n2\n4\n6\n8\n\"\n", 11, 100, {CsvStatus::RecordTooLong}},
      {"a,b,c\n", 100, 3, {R}},
      {"a,b,c,\n1", 100, 3, {CsvStatus::TooManyFields}},
      {",,,", 100, 3, {CsvStatus::TooManyFields}},
      // Both limits broken: the third field ends within 5 bytes, or after.
      {"a,b,c\n", 5, 2, {CsvStatus::TooManyFields}},
      {"a,b,cdef\n", 5, 2, {CsvStatus::RecordTooLong}},
      // The same at the end of the input, without a line end: the record
      // exactly at its byte limit breaks only the field limit.
      {"a,b,c", 5, 2, {CsvStatus::TooManyFields}},
  };
  for (const LimitCase& c : cases) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{100}}) {
      MemorySource source(c.input);
      CsvOptions options;
      options.chunkSize = chunk;
      options.maxRecordBytes = c.maxRecordBytes;
      options.maxFields = c.maxFields;
      CsvReader reader(source, options);
      std::vector<CsvStatus> statuses;
      for (CsvStatus s = reader.next(); s != CsvStatus::End && statuses.size() < 10;
           s = reader.next()) {
        statuses.push_back(s);
        if (s != R) {
          EXPECT_TRUE(reader.fields().empty() && reader.raw().empty()) << c.input;
        }
      }
      EXPECT_EQ(statuses, c.expected) << c.input << " in chunks of " << chunk;
    }
  }

  // A stray quote at the start of a long input does not make the reader
  // take in the rest of the input.
  const std::string stray = "\"" + std::string(1 << 20, 'x');
  TestSource source(stray, false);
  CsvOptions options;
  options.chunkSize = 256;
  options.maxRecordBytes = 1000;
  CsvReader reader(source, options);
  EXPECT_EQ(reader.next(), CsvStatus::RecordTooLong);
  EXPECT_LE(source.taken, 1256u);
  EXPECT_EQ(reader.next(), CsvStatus::End);
}

// Recovering (the batch mode): a broken record fails alone, a quote that
// never closes is read as a character, and the lines after both are read.
TEST(CsvReader, RecoversFromABrokenRecordAtTheNextLine) {
  constexpr CsvStatus S = CsvStatus::StrayQuote;
  constexpr CsvStatus L = CsvStatus::RecordTooLong;
  constexpr CsvStatus W = CsvStatus::TooManyFields;
  const std::string longField(40, 'x');
  // clang-format off
  const struct {
    const char* name;
    std::string input;
    std::vector<Item> expected;
    std::uint64_t strayLine = 0;
    std::size_t strayField = 0;
  } cases[] = {
      {"a quote open at the end", "a,\"open\nrest\nz",
       {{S, {"a", "\"open"}}, {R, {"rest"}}, {R, {"z"}}}, 1, 1},
      {"after a quoted field that closed", "\"q\nq\",\"b\nc,d\n",
       {{S, {"q\nq", "\"b"}}, {R, {"c", "d"}}}, 2, 1},
      {"a quote open past the record limit", "1,\"" + longField + "\n2\n" + longField + "\n3\n",
       {{S, {"1", "\"" + longField}}, {R, {"2"}}, {R, {longField}}, {R, {"3"}}}, 1, 1},
      {"a quote open on a line too long", "\"" + longField + longField + "\n2\n",
       {{L, {}}, {R, {"2"}}}},
      {"a record too long", "1\n" + longField + longField + "\r\n2\n",
       {{R, {"1"}}, {L, {}}, {R, {"2"}}}},
      {"a record too wide", "1,2,3,4,5,6,7\n2\n", {{W, {}}, {R, {"2"}}}},
      {"too wide at the end", "1,2,3,4,5,6,7", {{W, {}}}},
      {"too long at the end", "1\n" + longField + longField, {{R, {"1"}}, {L, {}}}},
  };
  // clang-format on
  for (const auto& c : cases) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 10}) {
      MemorySource source(c.input, 3);
      CsvOptions options;
      options.chunkSize = chunk;
      options.maxRecordBytes = 64;
      options.maxFields = 5;
      options.recover = true;
      CsvReader reader(source, options);
      std::vector<Item> items;
      for (CsvStatus status; (status = reader.next()) != CsvStatus::End && items.size() < 20;) {
        items.push_back({status, Fields(reader.fields().begin(), reader.fields().end())});
        if (status == S) {
          EXPECT_EQ(reader.strayQuoteLine(), c.strayLine) << c.name;
          EXPECT_EQ(reader.strayQuoteField(), c.strayField) << c.name;
        }
      }
      EXPECT_EQ(items, c.expected) << c.name << ", chunks of " << chunk;
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

struct QuoteCase {
  std::string field;
  char separator;
  std::string written;
};

TEST(CsvWriting, QuotesOnlyWhatNeedsIt) {
  // clang-format off
  const QuoteCase cases[] = {
      {"1121.5", ',', "1121.5"}, {"", ',', ""}, {" lead and trail ", ',', " lead and trail "},
      {"1,5", ',', "\"1,5\""}, {"1,5", ';', "1,5"}, {"2;5", ';', "\"2;5\""},
      {"say \"hi\"", ',', "\"say \"\"hi\"\"\""}, {"\"", ',', "\"\"\"\""}, {"a\nb", ',', "\"a\nb\""},
      {"a\rb", ';', "\"a\rb\""}, {"\xEF\xBB\xBFx", ',', "\"\xEF\xBB\xBFx\""},
      {"x\xEF\xBB\xBF", ',', "x\xEF\xBB\xBF"},
  };
  // clang-format on
  for (const QuoteCase& c : cases) {
    std::string out = "<";
    appendField(out, c.field, c.separator);
    EXPECT_EQ(out, "<" + c.written) << c.field;
    EXPECT_EQ(needsQuotes(c.field, c.separator), c.written != c.field) << c.field;
  }
}

TEST(CsvWriting, WritesRecords) {
  struct RecordCase {
    std::vector<std::string_view> fields;
    std::string_view lineEnd;
    std::string written;
  };
  // clang-format off
  const RecordCase cases[] = {
      {{"a", "b,c"}, "\n", "a,\"b,c\"\n"}, {{"a", "b"}, "\r\n", "a,b\r\n"}, {{""}, "\n", "\"\"\n"},
      {{"", ""}, "\n", ",\n"}, {{}, "\n", "\n"},
  };
  // clang-format on
  for (const RecordCase& c : cases) {
    std::string out;
    appendRecord(out, c.fields, ',', c.lineEnd);
    EXPECT_EQ(out, c.written);
  }
}

TEST(CsvWriting, WritesReadableRecords) {
  const std::vector<Fields> records = {
      {"time", "T [°C]", "note"},
      {"2026-12-06T10:00:00", "1121.5", "door \"open\", burner 2\r\nalarm"},
      {""},
      {"", ""},
      {"\xEF\xBB\xBF", "\"", ",", "\r"},
  };
  std::string out;
  for (const Fields& record : records) {
    const std::vector<std::string_view> views(record.begin(), record.end());
    appendRecord(out, views, ',');
  }
  MemorySource source(out, 3);
  CsvOptions options;
  options.chunkSize = 5;
  std::vector<Item> expected;
  for (const Fields& record : records) expected.push_back({R, record});
  EXPECT_EQ(readAll(source, options), expected);
}

}  // namespace
}  // namespace pyrelon::cli
