// How the batch mode writes its rows: CSV (the input's fields, then the
// results, then `error`) or JSON Lines (one object per row), each with
// names that never repeat.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pyrelon::cli {

// One row to write.
struct RowView {
  std::uint64_t line = 0;  // where the record starts in the input
  // The row's fields as written, up to the header's last: copied as they
  // are, unless `rewrite`: then the fields are written out again from
  // `fields`, quoted where they need it (a record read with a stray quote).
  std::string_view raw;
  bool rewrite = false;
  std::span<const std::string_view> fields;  // unquoted; at most the header's count
  std::span<const std::string_view> extra;   // fields beyond the header's
  std::span<const std::string> results;      // one per result name; empty when failed
  std::string_view error;                    // empty when computed
};

// The names of the CSV output's added columns: the results' and "error",
// each followed by _2, _3 ... (the first free) where an input column or an
// earlier added column has its name. Names are compared as columns are
// found: blanks at either end dropped, A to Z in either case alike.
//   header mv,temp,co,carbon,error; results carbon -> carbon_2, error_2
std::vector<std::string> csvAddedNames(std::span<const std::string> header,
                                       std::span<const std::string> results);

// The keys of the JSON Lines "inputs" object, per header field: the name
// as written, with _2, _3 ... (the first free) after a name used by an
// earlier field (names compared exactly); then each blank name (nothing
// but blanks) becomes column<N>, N its place counting from 1, with a
// suffix where a named field has that name. Fields beyond the header go in
// the "extra" array, not here.
//   header mv,,mv,column2 -> mv, column2_2, mv_2, column2
std::vector<std::string> jsonInputNames(std::span<const std::string> header);

class CsvRowWriter {
 public:
  // `headerFields`: how many fields the header has; a short row is padded
  // to it.
  CsvRowWriter(char separator, std::size_t headerFields)
      : separator_(separator), headerFields_(headerFields) {}
  // The header line: the input's header as written, then `added`.
  std::string headerLine(std::string_view rawHeader, std::span<const std::string> added) const;
  void write(const RowView& row, std::string& out) const;

 private:
  char separator_;
  std::size_t headerFields_;
};

// {"line":N,"inputs":{...},"extra":[...],"results":{...},"error":...};
// "extra" only where the row has fields beyond the header's; a result is
// null where it is empty.
class JsonRowWriter {
 public:
  JsonRowWriter(std::vector<std::string> inputNames, std::vector<std::string> resultNames)
      : inputNames_(std::move(inputNames)), resultNames_(std::move(resultNames)) {}
  void write(const RowView& row, std::string& out) const;

 private:
  std::vector<std::string> inputNames_;
  std::vector<std::string> resultNames_;
};

}  // namespace pyrelon::cli
