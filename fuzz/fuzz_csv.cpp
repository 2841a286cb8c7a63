// The streaming CSV reader on arbitrary bytes, read in arbitrary chunks.
//
// The first two bytes choose how to read, the rest is the input:
//   byte 0: the chunk size (1 to 32 bytes, or 1 KiB: the whole input) and
//           the most each read of the source gives;
//   byte 1: the separator (',', ';', tab, '|', blank, 'a', NUL or DEL) and
//           whether small limits on record length and field count apply.
// Properties:
//   - the reader never crashes and ends: each call but the last takes at
//     least one byte, and after End it stays at End;
//   - read in one chunk, the same input gives the same statuses, fields,
//     raw text and line numbers, wherever the small chunks cut it;
//   - a record's raw text is its raw fields joined by the separator, and a
//     field read from a raw field alone is the field itself;
//   - the records written back with appendRecord read back to the same
//     fields, each as a Record, with no blank line in between;
//   - recovering (the batch mode), the reader ends too, and gives the same
//     wherever the chunks cut the input.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "cli/csv.h"

namespace {

using namespace pyrelon::cli;
using pyrelon::fuzz::quote;
using pyrelon::fuzz::require;

struct Item {
  CsvStatus status;
  std::vector<std::string> fields;
  std::vector<std::string> rawFields;
  std::string raw;
  std::uint64_t line;

  bool operator==(const Item&) const = default;
};

std::string describe(const Item& item) {
  std::string text = "status " + std::to_string(static_cast<int>(item.status)) + " line " +
                     std::to_string(item.line) + ":";
  for (const std::string& field : item.fields) text += " " + quote(field);
  return text + " raw " + quote(item.raw);
}

std::vector<Item> readAll(std::string_view input, const CsvOptions& options,
                          std::size_t largestRead) {
  MemorySource source(input, largestRead);
  CsvReader reader(source, options);
  std::vector<Item> items;
  for (;;) {
    const CsvStatus status = reader.next();
    if (status == CsvStatus::End) break;
    if (items.size() > input.size())
      pyrelon::fuzz::fail("the reader ends",
                          "more items than input bytes: " + describe(items.back()));
    Item item{status, {}, {}, std::string(reader.raw()), reader.line()};
    for (std::size_t i = 0; i < reader.fields().size(); ++i) {
      item.fields.emplace_back(reader.fields()[i]);
      item.rawFields.emplace_back(reader.rawField(i));
    }
    items.push_back(std::move(item));
  }
  require(reader.next() == CsvStatus::End, "End stays", "a status after End");
  return items;
}

// A chunk that holds every input run.sh gives (-max_len=512); a larger one
// only costs time clearing the buffer.
constexpr std::size_t kWhole = 1024;

constexpr char kSeparators[] = {',', ';', '\t', '|', ' ', 'a', '\0', '\x7F'};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 2, size - 2);
  CsvOptions options;
  options.chunkSize = (data[0] & 0x80) ? kWhole : 1 + (data[0] & 31u);
  const std::size_t largestRead = 1 + ((data[0] >> 5) & 3u) * 7;
  options.separator = kSeparators[data[1] & 7u];
  const bool limited = (data[1] & 8u) != 0;
  if (limited) {
    options.maxRecordBytes = 1 + ((data[1] >> 4) & 3u) * 9;
    options.maxFields = 1 + (data[1] >> 6);
  }

  const std::vector<Item> items = readAll(input, options, largestRead);

  CsvOptions whole = options;
  whole.chunkSize = kWhole;
  const std::vector<Item> again = readAll(input, whole, SIZE_MAX);
  require(again.size() == items.size(), "chunk sizes do not matter",
          std::to_string(items.size()) + " items in chunks of " +
              std::to_string(options.chunkSize) + ", " + std::to_string(again.size()) + " in one");
  for (std::size_t i = 0; i < items.size(); ++i)
    require(items[i] == again[i], "chunk sizes do not matter",
            describe(items[i]) + " against " + describe(again[i]));

  std::string rewritten;
  std::vector<std::vector<std::string>> records;
  for (const Item& item : items) {
    if (item.status == CsvStatus::Blank) {
      require(item.fields.empty() && item.raw.empty(), "a blank line is empty", describe(item));
      continue;
    }
    if (item.status != CsvStatus::Record && item.status != CsvStatus::UnterminatedQuote) {
      require(&item == &items.back(), "an error ends the input", describe(item));
      continue;
    }
    require(!item.fields.empty(), "a record has a field", describe(item));
    std::string joined;
    for (std::size_t i = 0; i < item.rawFields.size(); ++i) {
      if (i > 0) joined += options.separator;
      joined += item.rawFields[i];
      // A raw field read alone: an unterminated one is the only field that
      // may hold a line end outside quotes, so it is skipped.
      if (item.status == CsvStatus::UnterminatedQuote || item.rawFields[i].empty()) continue;
      CsvOptions single = whole;
      single.maxRecordBytes = CsvOptions{}.maxRecordBytes;
      single.maxFields = CsvOptions{}.maxFields;
      // At the start of the input a byte-order mark is skipped.
      if (std::string_view(item.rawFields[i]).starts_with("\xEF\xBB\xBF")) continue;
      const std::vector<Item> alone = readAll(item.rawFields[i], single, SIZE_MAX);
      require(
          alone.size() == 1 && alone[0].fields.size() == 1 && alone[0].fields[0] == item.fields[i],
          "a raw field reads as the field", describe(item) + " field " + std::to_string(i));
    }
    require(joined == item.raw, "raw fields make up the raw text", describe(item));
    std::vector<std::string_view> views(item.fields.begin(), item.fields.end());
    appendRecord(rewritten, views, options.separator, (size & 1) ? "\r\n" : "\n");
    records.push_back(item.fields);
  }

  CsvOptions roomy;
  roomy.separator = options.separator;
  roomy.chunkSize = kWhole;
  const std::vector<Item> reread = readAll(rewritten, roomy, SIZE_MAX);
  require(reread.size() == records.size(), "written records read back",
          std::to_string(records.size()) + " records written, " + std::to_string(reread.size()) +
              " items read from " + quote(rewritten));
  for (std::size_t i = 0; i < records.size(); ++i)
    require(reread[i].status == CsvStatus::Record && reread[i].fields == records[i],
            "written records read back", describe(reread[i]) + " from " + quote(rewritten));

  // Recovering, as the batch mode reads: it ends, and a broken record gives
  // the same wherever the chunks cut it; no item is an unterminated quote.
  CsvOptions recovering = options;
  recovering.recover = true;
  CsvOptions recoveringWhole = recovering;
  recoveringWhole.chunkSize = kWhole;
  const std::vector<Item> recovered = readAll(input, recovering, largestRead);
  const std::vector<Item> recoveredWhole = readAll(input, recoveringWhole, SIZE_MAX);
  require(recovered.size() == recoveredWhole.size(), "recovering: chunk sizes do not matter",
          std::to_string(recovered.size()) + " items in small chunks, " +
              std::to_string(recoveredWhole.size()) + " in one");
  for (std::size_t i = 0; i < recovered.size(); ++i) {
    require(recovered[i] == recoveredWhole[i], "recovering: chunk sizes do not matter",
            describe(recovered[i]) + " against " + describe(recoveredWhole[i]));
    require(recovered[i].status != CsvStatus::UnterminatedQuote,
            "recovering: no unterminated quote", describe(recovered[i]));
  }
  return 0;
}
