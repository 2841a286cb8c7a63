#include "cli/csv.h"

#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace pyrelon::cli {

FdSource::FdSource(int fd) : fd_(fd) {}

std::ptrdiff_t FdSource::read(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

MemorySource::MemorySource(std::string_view bytes, std::size_t largestRead)
    : rest_(bytes), largestRead_(std::max<std::size_t>(largestRead, 1)) {}

std::ptrdiff_t MemorySource::read(char* buffer, std::size_t size) {
  const std::size_t n = std::min({size, largestRead_, rest_.size()});
  if (n > 0) std::memcpy(buffer, rest_.data(), n);
  rest_.remove_prefix(n);
  return static_cast<std::ptrdiff_t>(n);
}

CsvReader::CsvReader(ByteSource& source, const CsvOptions& options)
    : source_(source), options_(options) {
  const char separator = options.separator;
  if (separator == '"' || separator == '\r' || separator == '\n' ||
      static_cast<unsigned char>(separator) >= 0x80)
    throw std::invalid_argument(
        "CSV separator must be an ASCII character other than a quote, CR or LF");
  if (options.chunkSize == 0) throw std::invalid_argument("CSV chunk size must not be 0");
  if (options.chunkSize > kLargestSize || options.maxRecordBytes > kLargestSize)
    throw std::invalid_argument("CSV chunk size and record limit must be at most 1 GiB");
}

bool CsvReader::refill() {
  if (atEnd_) return false;
  // Only the record in progress is kept: the one handed out before is no
  // longer valid once next() has been called.
  if (recordStart_ > 0) {
    std::memmove(buffer_.data(), buffer_.data() + recordStart_, end_ - recordStart_);
    position_ -= recordStart_;
    end_ -= recordStart_;
    recordStart_ = 0;
  }
  const std::size_t chunk = options_.chunkSize;
  const std::size_t needed = end_ + chunk + kPadding;
  if (buffer_.size() < needed) {
    // Grow geometrically, so that a long record read in small chunks is
    // copied a few times and not once a chunk; never beyond what the
    // longest allowed record needs.
    const std::size_t ceiling = options_.maxRecordBytes + chunk + kPadding;
    buffer_.resize(std::max(needed, std::min(2 * buffer_.size(), ceiling)));
  }
  const std::ptrdiff_t n = source_.read(buffer_.data() + end_, chunk);
  if (n <= 0) {
    if (n < 0) errorNumber_ = errno != 0 ? errno : EIO;
    atEnd_ = true;
    buffer_[end_] = '\n';
    return false;
  }
  end_ += static_cast<std::size_t>(n);
  buffer_[end_] = '\n';
  return true;
}

CsvStatus CsvReader::stop(CsvStatus status) {
  finished_ = true;
  spans_.clear();
  fields_.clear();
  recordLength_ = 0;
  return status;
}

CsvStatus CsvReader::next() {
  if (finished_) return CsvStatus::End;
  if (!started_) {
    started_ = true;
    while (end_ < 3 && refill()) {
    }
    if (end_ >= 3 && std::memcmp(buffer_.data(), "\xEF\xBB\xBF", 3) == 0) position_ = 3;
  }
  recordStart_ = position_;
  if (pendingLf_) {  // the LF of a CRLF, perhaps in the next chunk
    if (position_ == end_) refill();
    if (position_ < end_ && buffer_[position_] == '\n') ++position_;
    pendingLf_ = false;
    recordStart_ = position_;
  }
  recordLine_ = line_;
  if (position_ == end_ && !refill())
    return stop(errorNumber_ != 0 ? CsvStatus::ReadError : CsvStatus::End);
  return readRecord();
}

CsvStatus CsvReader::readRecord() {
  state_ = State::FieldStart;
  spans_.clear();
  blank_ = false;
  limitBroken_ = CsvStatus::Record;
  while (!parseRecord()) {
    if (end_ - recordStart_ > options_.maxRecordBytes) {
      if (!options_.recover) return stop(CsvStatus::RecordTooLong);
      if (state_ == State::Quoted && plainQuotesFrom_ == SIZE_MAX) return rereadWithPlainQuote();
      return skipRestOfLine(CsvStatus::RecordTooLong);
    }
    if (!refill()) {
      if (errorNumber_ != 0) return stop(CsvStatus::ReadError);
      if (options_.recover && state_ == State::Quoted && plainQuotesFrom_ == SIZE_MAX)
        return rereadWithPlainQuote();
      return endOfInputInRecord();
    }
  }
  if (limitBroken_ != CsvStatus::Record) {
    if (!options_.recover) return stop(limitBroken_);
    return skipRestOfLine(limitBroken_);
  }
  if (blank_) {
    recordBegin_ = recordStart_;
    fields_.clear();
    return CsvStatus::Blank;
  }
  return finishRecord(CsvStatus::Record);
}

// A quoted field ran to the end of the input or past the record limit: the
// record is read again from its start, that quote as a plain character.
CsvStatus CsvReader::rereadWithPlainQuote() {
  strayLine_ = quoteLine_;
  strayField_ = spans_.size();
  plainQuotesFrom_ = fieldStart_;
  position_ = recordStart_;
  line_ = recordLine_;
  CsvStatus status = readRecord();
  plainQuotesFrom_ = SIZE_MAX;
  if (status == CsvStatus::Record) status = CsvStatus::StrayQuote;
  return status;
}

// Drops the rest of a record that broke a limit, up to the next line end.
CsvStatus CsvReader::skipRestOfLine(CsvStatus status) {
  for (;;) {
    const char* const base = buffer_.data();
    const char* p = findFirst(base + position_, '\n', '\r', '\r');
    position_ = static_cast<std::size_t>(p - base);
    if (position_ < end_) {
      pendingLf_ = *p == '\r';
      ++position_;
      ++line_;
      break;
    }
    recordStart_ = position_;  // nothing before it is kept
    if (!refill()) {
      if (errorNumber_ != 0) return stop(CsvStatus::ReadError);
      break;
    }
  }
  recordStart_ = position_;
  recordBegin_ = position_;
  spans_.clear();
  fields_.clear();
  recordLength_ = 0;
  state_ = State::FieldStart;
  return status;
}

// The input ended before a line end: whatever was read is the last record.
CsvStatus CsvReader::endOfInputInRecord() {
  const std::size_t end = end_ - recordStart_;
  CsvStatus status = CsvStatus::Record;
  switch (state_) {
    case State::FieldStart:  // right after a separator: an empty last field
      if (spans_.empty()) return stop(CsvStatus::End);
      spans_.push_back(
          {static_cast<std::uint32_t>(end), static_cast<std::uint32_t>(end), Kind::Plain});
      break;
    case State::Quoted:
      spans_.push_back({fieldStart_, static_cast<std::uint32_t>(end), Kind::Unescape});
      status = CsvStatus::UnterminatedQuote;
      break;
    case State::Unquoted:
    case State::QuoteInQuoted:
    case State::AfterQuote:
      spans_.push_back({fieldStart_, static_cast<std::uint32_t>(end), fieldKind_});
      break;
  }
  recordLength_ = end;
  position_ = end_;
  const CsvStatus result = finishRecord(status);
  finished_ = true;
  return result;
}

// The first of the bytes a, b and c from `p` on. buffer_[end_] is a line
// feed, and every scan looks for line feeds, so the scan stops there at the
// latest; the padding after it lets the vector loads run past it.
const char* CsvReader::findFirst(const char* p, char a, char b, char c) const {
#if defined(__SSE2__)
  const __m128i as = _mm_set1_epi8(a);
  const __m128i bs = _mm_set1_epi8(b);
  const __m128i cs = _mm_set1_epi8(c);
  for (;;) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hits =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(bytes, as), _mm_cmpeq_epi8(bytes, bs)),
                     _mm_cmpeq_epi8(bytes, cs));
    const unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
    if (mask != 0) return p + __builtin_ctz(mask);
    p += 16;
  }
#else
  while (*p != a && *p != b && *p != c) ++p;
  return p;
#endif
}

bool CsvReader::parseRecord() {
  // The state is kept in locals while scanning, so that the compiler can
  // hold it in registers across the stores into spans_.
  const char* const base = buffer_.data();
  const char* const record = base + recordStart_;
  const char* const end = base + end_;
  const char* p = base + position_;
  const char separator = options_.separator;
  State state = state_;
  std::uint32_t fieldStart = fieldStart_;
  Kind kind = fieldKind_;
  std::uint64_t line = line_;
  bool complete = false;
  const auto offset = [&] { return static_cast<std::uint32_t>(p - record); };
  const std::size_t maxFields = options_.maxFields;
  const std::size_t plainQuotesFrom = plainQuotesFrom_;
  std::uint64_t quoteLine = quoteLine_;
  // Whether the field just closed is one too many.
  const auto closeField = [&] {
    spans_.push_back({fieldStart, offset(), kind});
    return spans_.size() > maxFields;
  };

  for (;;) {
    switch (state) {
      case State::FieldStart: {
        if (p == end) goto suspend;
        fieldStart = offset();
        const char c = *p;
        if (c == '"' && fieldStart < plainQuotesFrom) {
          quoteLine = line;
          kind = Kind::Quoted;
          state = State::Quoted;
          ++p;
          continue;
        }
        if (c == separator) {
          kind = Kind::Plain;
          if (closeField()) goto tooManyFields;
          ++p;
          continue;
        }
        if (c == '\n' || c == '\r') {
          if (spans_.empty()) {
            blank_ = true;
          } else {
            kind = Kind::Plain;
            if (closeField()) goto tooManyFields;
          }
          goto lineEnd;
        }
        kind = Kind::Plain;
        state = State::Unquoted;
        [[fallthrough]];
      }
      case State::Unquoted:
      case State::AfterQuote: {
        p = findFirst(p, separator, '\r', '\n');
        if (p == end) goto suspend;
        if (closeField()) goto tooManyFields;
        if (*p != separator) goto lineEnd;
        state = State::FieldStart;
        ++p;
        continue;
      }
      case State::Quoted: {
        for (;;) {  // the sentinel line feed stops this loop too
          p = findFirst(p, '"', '\n', '\n');
          if (p == end) goto suspend;
          if (*p == '"') break;
          ++line;
          ++p;
        }
        ++p;
        state = State::QuoteInQuoted;
        [[fallthrough]];
      }
      case State::QuoteInQuoted: {
        if (p == end) goto suspend;
        const char c = *p;
        if (c == '"') {  // a doubled quote
          kind = Kind::Unescape;
          state = State::Quoted;
          ++p;
          continue;
        }
        if (c == separator) {
          if (closeField()) goto tooManyFields;
          state = State::FieldStart;
          ++p;
          continue;
        }
        if (c != '\n' && c != '\r') {  // text after the closing quote
          kind = Kind::Unescape;
          state = State::AfterQuote;
          continue;
        }
        if (closeField()) goto tooManyFields;
        goto lineEnd;
      }
    }
  }

lineEnd:  // p is at the CR or LF that ends the record
  recordLength_ = offset();
  pendingLf_ = *p == '\r';
  ++line;
  ++p;
  state = State::FieldStart;
  complete = true;

  goto suspend;

tooManyFields:
  // Where a record breaks both limits, the one it breaks first counts.
  limitBroken_ =
      offset() > options_.maxRecordBytes ? CsvStatus::RecordTooLong : CsvStatus::TooManyFields;
  complete = true;

suspend:
  state_ = state;
  fieldStart_ = fieldStart;
  fieldKind_ = kind;
  line_ = line;
  quoteLine_ = quoteLine;
  position_ = static_cast<std::size_t>(p - base);
  return complete;
}

namespace {

// The text of a quoted field: without the opening quote, "" as one quote,
// and whatever follows the closing quote as it is. Returns the end of the
// text written to `out`, which has room for raw.size() bytes.
char* unescape(std::string_view raw, char* out) {
  std::size_t i = 1;  // after the opening quote
  while (i < raw.size()) {
    const char* quote = static_cast<const char*>(std::memchr(raw.data() + i, '"', raw.size() - i));
    const std::size_t stop = quote ? static_cast<std::size_t>(quote - raw.data()) : raw.size();
    std::memcpy(out, raw.data() + i, stop - i);
    out += stop - i;
    if (stop == raw.size()) break;  // no closing quote
    if (stop + 1 < raw.size() && raw[stop + 1] == '"') {
      *out++ = '"';
      i = stop + 2;
      continue;
    }
    const std::size_t after = raw.size() - (stop + 1);
    std::memcpy(out, raw.data() + stop + 1, after);
    out += after;
    break;
  }
  return out;
}

}  // namespace

CsvStatus CsvReader::finishRecord(CsvStatus status) {
  recordBegin_ = recordStart_;
  if (recordLength_ > options_.maxRecordBytes || spans_.size() > options_.maxFields) {
    // The second only at the end of the input.
    const CsvStatus broken = recordLength_ > options_.maxRecordBytes ? CsvStatus::RecordTooLong
                                                                     : CsvStatus::TooManyFields;
    if (!options_.recover) return stop(broken);
    spans_.clear();
    fields_.clear();
    recordLength_ = 0;
    return broken;
  }
  const char* const record = buffer_.data() + recordBegin_;

  fields_.resize(spans_.size());
  bool unescapes = false;
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    const Span& span = spans_[i];
    // A quoted field without doubled quotes or text after the closing quote
    // is its raw text less the quotes.
    const std::uint32_t quoted = span.kind == Kind::Quoted ? 1 : 0;
    fields_[i] = std::string_view(record + span.begin + quoted, span.end - span.begin - 2 * quoted);
    unescapes |= span.kind == Kind::Unescape;
  }
  if (!unescapes) return status;

  std::size_t unescapedBytes = 0;
  for (const Span& span : spans_)
    if (span.kind == Kind::Unescape) unescapedBytes += span.end - span.begin;
  if (unescaped_.size() < unescapedBytes) unescaped_.resize(unescapedBytes);
  char* out = unescaped_.data();
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    if (spans_[i].kind != Kind::Unescape) continue;
    char* const written = unescape(fields_[i], out);
    fields_[i] = std::string_view(out, static_cast<std::size_t>(written - out));
    out = written;
  }
  return status;
}

bool needsQuotes(std::string_view field, char separator) {
  if (field.size() >= 3 && field.compare(0, 3, "\xEF\xBB\xBF") == 0) return true;
  for (const char c : field)
    if (c == separator || c == '"' || c == '\n' || c == '\r') return true;
  return false;
}

void appendField(std::string& out, std::string_view field, char separator) {
  if (!needsQuotes(field, separator)) {
    out.append(field);
    return;
  }
  out += '"';
  for (;;) {
    const std::size_t quote = field.find('"');
    if (quote == std::string_view::npos) break;
    out.append(field.substr(0, quote + 1));
    out += '"';
    field.remove_prefix(quote + 1);
  }
  out.append(field);
  out += '"';
}

void appendRecord(std::string& out, std::span<const std::string_view> fields, char separator,
                  std::string_view lineEnd) {
  if (fields.size() == 1 && fields[0].empty()) {
    out += "\"\"";
  } else {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out += separator;
      appendField(out, fields[i], separator);
    }
  }
  out.append(lineEnd);
}

}  // namespace pyrelon::cli
