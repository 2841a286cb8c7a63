#include "cli/row_writers.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "cli/csv.h"
#include "cli/rows.h"

namespace pyrelon::cli {
namespace {

template <class Key>
std::string freeName(const std::string& base, const std::vector<std::string>& taken, Key key) {
  const auto isTaken = [&](const std::string& name) {
    const std::string k = key(name);
    return std::any_of(taken.begin(), taken.end(),
                       [&](const std::string& t) { return key(t) == k; });
  };
  if (!isTaken(base)) return base;
  for (std::size_t n = 2;; ++n) {
    std::string candidate = base + "_" + std::to_string(n);
    if (!isTaken(candidate)) return candidate;
  }
}

}  // namespace

std::vector<std::string> csvAddedNames(std::span<const std::string> header,
                                       std::span<const std::string> results) {
  std::vector<std::string> taken(header.begin(), header.end());
  std::vector<std::string> added;
  const auto key = [](const std::string& name) { return columnKey(name); };
  for (const std::string& name : results) {
    added.push_back(freeName(name, taken, key));
    taken.push_back(added.back());
  }
  added.push_back(freeName("error", taken, key));
  return added;
}

std::vector<std::string> jsonInputNames(std::span<const std::string> header) {
  std::vector<std::string> names(header.size());
  std::vector<std::string> taken;
  const auto key = [](const std::string& name) { return name; };
  for (const bool blanks : {false, true}) {
    for (std::size_t i = 0; i < header.size(); ++i) {
      if (columnKey(header[i]).empty() != blanks) continue;
      names[i] = freeName(blanks ? "column" + std::to_string(i + 1) : header[i], taken, key);
      taken.push_back(names[i]);
    }
  }
  return names;
}

std::string CsvRowWriter::headerLine(std::string_view rawHeader,
                                     std::span<const std::string> added) const {
  std::string out(rawHeader);
  for (const std::string& name : added) {
    out += separator_;
    appendField(out, name, separator_);
  }
  out += '\n';
  return out;
}

void CsvRowWriter::write(const RowView& row, std::string& out) const {
  std::size_t written = 0;
  if (!row.rewrite) {
    // The fields as written, joined by the separator; a row of one empty
    // field is a row of one empty field.
    out += row.raw;
    written = std::max<std::size_t>(row.fields.size(), 1);
  } else {
    for (std::size_t f = 0; f < row.fields.size(); ++f) {
      if (f > 0) out += separator_;
      appendField(out, row.fields[f], separator_);
    }
    written = row.fields.size();
  }
  for (std::size_t f = written; f < headerFields_; ++f) out += separator_;
  for (const std::string& s : row.results) {
    out += separator_;
    appendField(out, s, separator_);
  }
  out += separator_;
  appendField(out, row.error, separator_);
  out += '\n';
}

void JsonRowWriter::write(const RowView& row, std::string& out) const {
  using Json = nlohmann::ordered_json;
  Json record;
  record["line"] = row.line;
  Json inputs = Json::object();
  for (std::size_t f = 0; f < row.fields.size() && f < inputNames_.size(); ++f)
    inputs[inputNames_[f]] = std::string(row.fields[f]);
  record["inputs"] = std::move(inputs);
  if (!row.extra.empty()) {
    Json extra = Json::array();
    for (const std::string_view f : row.extra) extra.push_back(std::string(f));
    record["extra"] = std::move(extra);
  }
  Json results = Json::object();
  for (std::size_t r = 0; r < resultNames_.size(); ++r) {
    const bool shown = r < row.results.size() && !row.results[r].empty();
    results[resultNames_[r]] = shown ? Json(row.results[r]) : Json(nullptr);
  }
  record["results"] = std::move(results);
  record["error"] = row.error.empty() ? Json(nullptr) : Json(std::string(row.error));
  out += record.dump(-1, ' ', false, Json::error_handler_t::replace);
  out += '\n';
}

}  // namespace pyrelon::cli
