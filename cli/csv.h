// Streaming CSV for the command line's batch mode: a reader that hands out
// one record at a time from a file descriptor (or any other byte source),
// and a writer that quotes a field only when it has to.
//
// The reader takes RFC 4180 files and the usual departures from it:
//   - fields are split at a configurable separator (',' normally, ';' when
//     the user works with a decimal comma);
//   - a field that starts with '"' is quoted: separators, CR and LF inside
//     it are data, and "" stands for one quote;
//   - records end at CRLF, LF or a lone CR; the last one needs no line end;
//   - a UTF-8 byte-order mark at the very start is skipped;
//   - an empty line is reported as Blank, not as a record of one empty field;
//   - lenient where a strict reader would refuse: a quote inside an unquoted
//     field is an ordinary character, and text after a closing quote up to
//     the next separator is kept as written ("ab"c -> abc).
// The input is read in chunks of a fixed size into one buffer that holds the
// record in progress, so memory stays at about the chunk size plus the
// longest record, whatever the length of the input; the limits below stop a
// stray quote from turning the rest of a large file into one record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pyrelon::cli {

// Where the reader's bytes come from.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads at most `size` bytes into `buffer` and returns how many: 0 at the
  // end of the input, -1 on an error (with errno set).
  virtual std::ptrdiff_t read(char* buffer, std::size_t size) = 0;
};

// An open file descriptor (a file, a pipe, standard input); read(2),
// retried when a signal interrupts it. The descriptor is not closed.
class FdSource final : public ByteSource {
 public:
  explicit FdSource(int fd);
  std::ptrdiff_t read(char* buffer, std::size_t size) override;

 private:
  int fd_;
};

// Bytes already in memory, handed out at most `largestRead` at a time (tests
// use small values to cut records at every possible place).
class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes, std::size_t largestRead = SIZE_MAX);
  std::ptrdiff_t read(char* buffer, std::size_t size) override;

 private:
  std::string_view rest_;
  std::size_t largestRead_;
};

struct CsvOptions {
  char separator = ',';                          // ASCII; neither '"', CR nor LF
  std::size_t chunkSize = std::size_t{1} << 20;  // bytes asked of each read
  std::size_t maxRecordBytes = std::size_t{4} << 20;
  std::size_t maxFields = 65536;
  // Whether a broken record fails alone and reading goes on (the batch mode)
  // rather than ending the input (see CsvStatus).
  bool recover = false;
};

// What CsvReader::next found.
enum class CsvStatus {
  Record,             // fields() and raw() hold the record
  Blank,              // an empty line; nothing to read
  End,                // no more input
  UnterminatedQuote,  // the input ended inside a quoted field; fields() holds
                      // what was read, the last field running to the end
  RecordTooLong,      // more than maxRecordBytes without a line end
  TooManyFields,      // more than maxFields in one record, the first of them
                      // within maxRecordBytes
  ReadError,          // the source failed; errorNumber() has errno
  StrayQuote,         // with `recover` only, in place of UnterminatedQuote and
                      // of a quoted field that breaks the record limit: the
                      // record read again from its first line with that
                      // quote (and any later one at a field's start) as a
                      // plain character, so it ends at the first line end
                      // after the quote; strayQuoteLine() and
                      // strayQuoteField() say where the quote opened
};
// Without `recover`, after any status but Record and Blank every later call
// returns End. With it, RecordTooLong and TooManyFields skip the record up
// to the next line end outside the quotes read so far (a line end is a
// line end there) and reading goes on; UnterminatedQuote is never returned;
// only ReadError ends the input. After an error status fields() and raw()
// are empty and line() is the line the record started on.

class CsvReader {
 public:
  // Throws std::invalid_argument for a separator of '"', CR, LF or a byte
  // of 0x80 or more (part of a UTF-8 character, the byte-order mark's), a chunk
  // size of 0, or a chunk size or record limit above 1 GiB. The source must
  // outlive the reader.
  explicit CsvReader(ByteSource& source, const CsvOptions& options = {});

  CsvStatus next();

  // The last record's fields with quotes removed and "" made one quote.
  // Valid until the next call to next().
  std::span<const std::string_view> fields() const { return fields_; }
  // The last record as written, without its line end; every field, quoted
  // or not, can be copied out of it unchanged with rawField().
  std::string_view raw() const { return {buffer_.data() + recordBegin_, recordLength_}; }
  // Field `i` (below fields().size()) exactly as written, quotes included.
  std::string_view rawField(std::size_t i) const {
    return {buffer_.data() + recordBegin_ + spans_[i].begin, spans_[i].end - spans_[i].begin};
  }
  // The line the last record (or blank line) started on, counting from 1.
  // Each line feed inside a quoted field starts a new line too.
  std::uint64_t line() const { return recordLine_; }
  int errorNumber() const { return errorNumber_; }
  // After StrayQuote: the line on which the stray quote opened, and the
  // index of the field it opened.
  std::uint64_t strayQuoteLine() const { return strayLine_; }
  std::size_t strayQuoteField() const { return strayField_; }

 private:
  enum class State : std::uint8_t { FieldStart, Unquoted, Quoted, QuoteInQuoted, AfterQuote };
  enum class Kind : std::uint8_t { Plain, Quoted, Unescape };
  struct Span {
    std::uint32_t begin;  // from the record start
    std::uint32_t end;
    Kind kind;
  };
  // Offsets within a record fit 32 bits: a record in progress is never
  // longer than the record limit plus one chunk.
  static constexpr std::size_t kLargestSize = std::size_t{1} << 30;

  // After the data: the sentinel line feed, then room for one vector load
  // that starts just before it.
  static constexpr std::size_t kPadding = 1 + 16;

  bool refill();  // false at the end of the input or on an error
  const char* findFirst(const char* p, char a, char b, char c) const;
  bool parseRecord();  // false when the buffer ran out first
  CsvStatus endOfInputInRecord();
  CsvStatus finishRecord(CsvStatus status);
  CsvStatus stop(CsvStatus status);
  CsvStatus readRecord();            // one record from recordStart_ on
  CsvStatus rereadWithPlainQuote();  // the record again, its open quote plain
  CsvStatus skipRestOfLine(CsvStatus status);

  ByteSource& source_;
  CsvOptions options_;

  // buffer_[recordStart_, end_) is unparsed or in progress; buffer_[end_] is
  // a sentinel line feed so the scanning loops need no bounds check, and
  // kPadding bytes from end_ on are always there.
  std::vector<char> buffer_;
  std::size_t recordStart_ = 0;  // the record in progress
  std::size_t position_ = 0;
  std::size_t recordBegin_ = 0;  // the record last handed out
  bool blank_ = false;
  CsvStatus limitBroken_ = CsvStatus::Record;  // or the limit the scan broke
  std::size_t end_ = 0;
  std::size_t recordLength_ = 0;
  bool atEnd_ = false;
  bool finished_ = false;
  bool started_ = false;    // the byte-order mark has been looked for
  bool pendingLf_ = false;  // the last record ended at CR: skip a following LF
  int errorNumber_ = 0;
  // Quotes at a field's start from this offset of the record on are plain
  // characters: set while a record with a stray quote is read again.
  std::size_t plainQuotesFrom_ = SIZE_MAX;
  std::uint64_t quoteLine_ = 0;  // where the last quoted field opened
  std::uint64_t strayLine_ = 0;
  std::size_t strayField_ = 0;

  State state_ = State::FieldStart;
  std::uint32_t fieldStart_ = 0;  // from the record start
  Kind fieldKind_ = Kind::Plain;
  std::uint64_t line_ = 1;  // the line position_ is on
  std::uint64_t recordLine_ = 0;

  std::vector<Span> spans_;
  std::vector<std::string_view> fields_;
  std::vector<char> unescaped_;
};

// Whether `field` needs quotes to read back as itself: it holds the
// separator, a quote, CR or LF, or starts with a byte-order mark.
bool needsQuotes(std::string_view field, char separator);

// Appends `field` to `out`, in quotes with every quote doubled when
// needsQuotes says so, as it is otherwise.
void appendField(std::string& out, std::string_view field, char separator);

// Appends the fields separated by `separator` and then `lineEnd`. A record
// of one empty field is written as "" so that it does not read back as a
// blank line.
void appendRecord(std::string& out, std::span<const std::string_view> fields, char separator,
                  std::string_view lineEnd = "\n");

}  // namespace pyrelon::cli
