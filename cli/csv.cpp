#include "cli/csv.h"

#include <unistd.h>

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
  if (separator == '"' || separator == '\r' || separator == '\n')
    throw std::invalid_argument("CSV separator cannot be a quote, CR or LF");
  if (options.chunkSize == 0) throw std::invalid_argument("CSV chunk size must not be 0");
  std::memset(classes_, 0, sizeof classes_);
  classes_[static_cast<unsigned char>(separator)] = 1;
  classes_[static_cast<unsigned char>('\r')] = 1;
  classes_[static_cast<unsigned char>('\n')] = 1;
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
  const std::size_t needed = end_ + chunk + 1;  // + the sentinel
  if (buffer_.size() < needed) {
    // Grow geometrically, so that a long record read in small chunks is
    // copied a few times and not once a chunk; never beyond what the
    // longest allowed record needs.
    const std::size_t ceiling = options_.maxRecordBytes + chunk + 1;
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
  state_ = State::FieldStart;
  spans_.clear();
  blank_ = false;
  if (position_ == end_ && !refill())
    return stop(errorNumber_ != 0 ? CsvStatus::ReadError : CsvStatus::End);

  while (!parseRecord()) {
    if (end_ - recordStart_ > options_.maxRecordBytes) return stop(CsvStatus::RecordTooLong);
    if (spans_.size() > options_.maxFields) return stop(CsvStatus::TooManyFields);
    if (!refill()) {
      if (errorNumber_ != 0) return stop(CsvStatus::ReadError);
      return endOfInputInRecord();
    }
  }
  if (blank_) {
    recordBegin_ = recordStart_;
    fields_.clear();
    return CsvStatus::Blank;
  }
  return finishRecord(CsvStatus::Record);
}

// The input ended before a line end: whatever was read is the last record.
CsvStatus CsvReader::endOfInputInRecord() {
  const std::size_t end = end_ - recordStart_;
  CsvStatus status = CsvStatus::Record;
  switch (state_) {
    case State::FieldStart:  // right after a separator: an empty last field
      if (spans_.empty()) return stop(CsvStatus::End);
      spans_.push_back({end, end, Kind::Plain});
      break;
    case State::Quoted:
      spans_.push_back({fieldStart_, end, Kind::Unescape});
      status = CsvStatus::UnterminatedQuote;
      break;
    case State::Unquoted:
    case State::QuoteInQuoted:
    case State::AfterQuote:
      spans_.push_back({fieldStart_, end, fieldKind_});
      break;
  }
  recordLength_ = end;
  position_ = end_;
  const CsvStatus result = finishRecord(status);
  finished_ = true;
  return result;
}

bool CsvReader::parseRecord() {
  const char* const base = buffer_.data();
  const char* const record = base + recordStart_;
  const char* const end = base + end_;
  const char* p = base + position_;
  const char separator = options_.separator;
  const auto closeField = [&] {
    spans_.push_back({fieldStart_, static_cast<std::size_t>(p - record), fieldKind_});
  };

  for (;;) {
    switch (state_) {
      case State::FieldStart: {
        if (p == end) {
          position_ = static_cast<std::size_t>(p - base);
          return false;
        }
        fieldStart_ = static_cast<std::size_t>(p - record);
        const char c = *p;
        if (c == '"') {
          fieldKind_ = Kind::Quoted;
          state_ = State::Quoted;
          ++p;
          continue;
        }
        if (c == separator) {
          fieldKind_ = Kind::Plain;
          closeField();
          ++p;
          continue;
        }
        if (c == '\n' || c == '\r') {
          if (spans_.empty()) {
            blank_ = true;
          } else {
            fieldKind_ = Kind::Plain;
            closeField();
          }
          break;  // to the line end
        }
        fieldKind_ = Kind::Plain;
        state_ = State::Unquoted;
        [[fallthrough]];
      }
      case State::Unquoted:
      case State::AfterQuote: {
        // buffer_[end_] is a line feed, so the scan stops there at the latest.
        while (classes_[static_cast<unsigned char>(*p)] == 0) ++p;
        if (p == end) {
          position_ = static_cast<std::size_t>(p - base);
          return false;
        }
        closeField();
        if (*p == separator) {
          state_ = State::FieldStart;
          ++p;
          continue;
        }
        break;  // to the line end
      }
      case State::Quoted: {
        for (;;) {
          while (*p != '"' && *p != '\n') ++p;
          if (p == end) {
            position_ = static_cast<std::size_t>(p - base);
            return false;
          }
          if (*p == '"') break;
          ++line_;
          ++p;
        }
        ++p;
        state_ = State::QuoteInQuoted;
        [[fallthrough]];
      }
      case State::QuoteInQuoted: {
        if (p == end) {
          position_ = static_cast<std::size_t>(p - base);
          return false;
        }
        const char c = *p;
        if (c == '"') {  // a doubled quote
          fieldKind_ = Kind::Unescape;
          state_ = State::Quoted;
          ++p;
          continue;
        }
        if (c == separator) {
          closeField();
          state_ = State::FieldStart;
          ++p;
          continue;
        }
        if (c != '\n' && c != '\r') {  // text after the closing quote
          fieldKind_ = Kind::Unescape;
          state_ = State::AfterQuote;
          continue;
        }
        closeField();
        break;  // to the line end
      }
    }
    // p is at the CR or LF that ends the record.
    recordLength_ = static_cast<std::size_t>(p - record);
    pendingLf_ = *p == '\r';
    ++line_;
    position_ = static_cast<std::size_t>(p + 1 - base);
    return true;
  }
}

namespace {

// The text of a quoted field: without the opening quote, "" as one quote,
// and whatever follows the closing quote as it is. Returns the end of the
// text written to `out`, which has room for raw.size() bytes.
char* unescape(std::string_view raw, char* out) {
  std::size_t i = 1;  // after the opening quote
  while (i < raw.size()) {
    const char* quote =
        static_cast<const char*>(std::memchr(raw.data() + i, '"', raw.size() - i));
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
  if (recordLength_ > options_.maxRecordBytes) return stop(CsvStatus::RecordTooLong);
  if (spans_.size() > options_.maxFields) return stop(CsvStatus::TooManyFields);
  const char* const record = buffer_.data() + recordBegin_;

  std::size_t unescapedBytes = 0;
  for (const Span& span : spans_)
    if (span.kind == Kind::Unescape) unescapedBytes += span.end - span.begin;
  if (unescaped_.size() < unescapedBytes) unescaped_.resize(unescapedBytes);

  fields_.resize(spans_.size());
  char* out = unescaped_.data();
  for (std::size_t i = 0; i < spans_.size(); ++i) {
    const Span& span = spans_[i];
    const std::size_t length = span.end - span.begin;
    switch (span.kind) {
      case Kind::Plain:
        fields_[i] = std::string_view(record + span.begin, length);
        break;
      case Kind::Quoted:  // "text" and nothing else
        fields_[i] = std::string_view(record + span.begin + 1, length - 2);
        break;
      case Kind::Unescape: {
        char* const written = unescape(std::string_view(record + span.begin, length), out);
        fields_[i] = std::string_view(out, static_cast<std::size_t>(written - out));
        out = written;
        break;
      }
    }
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

CsvWriter::CsvWriter(int fd, char separator, std::string_view lineEnd, std::size_t blockSize)
    : fd_(fd), separator_(separator), lineEnd_(lineEnd), blockSize_(std::max<std::size_t>(blockSize, 1)) {
  buffer_.reserve(blockSize_ + 4096);
}

CsvWriter::~CsvWriter() {
  try {
    flush();
  } catch (const std::system_error&) {
  }
}

void CsvWriter::startField() {
  if (fieldsInRecord_ > 0) buffer_ += separator_;
  ++fieldsInRecord_;
}

void CsvWriter::field(std::string_view value) {
  startField();
  onlyFieldEmpty_ = value.empty();
  appendField(buffer_, value, separator_);
}

void CsvWriter::rawField(std::string_view text) {
  startField();
  onlyFieldEmpty_ = text.empty();
  buffer_.append(text);
}

void CsvWriter::endRecord() {
  if (fieldsInRecord_ == 1 && onlyFieldEmpty_) buffer_ += "\"\"";
  buffer_.append(lineEnd_);
  fieldsInRecord_ = 0;
  if (buffer_.size() >= blockSize_) flush();
}

void CsvWriter::flush() {
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int error = errno;
      buffer_.erase(0, done);
      throw std::system_error(error, std::generic_category(), "write");
    }
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

}  // namespace pyrelon::cli
