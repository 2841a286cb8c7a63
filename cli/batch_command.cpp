#include "cli/batch_command.h"

#include <optional>
#include <stdexcept>

#include "cli/output_file.h"

namespace pyrelon::cli {

std::vector<std::pair<std::string, std::string>> columnMaps(const std::vector<std::string>& maps,
                                                            std::span<const std::string_view> keys,
                                                            std::string_view command) {
  std::vector<std::pair<std::string, std::string>> names;
  for (const std::string& map : maps) {
    std::string_view rest = map;
    while (!rest.empty()) {
      const std::string_view pair = rest.substr(0, rest.find(','));
      rest = pair.size() < rest.size() ? rest.substr(pair.size() + 1) : std::string_view{};
      const auto equals = pair.find('=');
      if (equals == std::string_view::npos || equals == 0 || equals + 1 == pair.size())
        throw UsageError{"--map \"" + std::string(pair) + "\" is not KEY=COLUMN"};
      const std::string key(pair.substr(0, equals));
      bool known = false;
      for (const std::string_view k : keys) known = known || k == key;
      if (!known) throw UsageError{"--map: \"" + key + "\" is no input of " + std::string(command)};
      names.emplace_back(key, std::string(pair.substr(equals + 1)));
    }
  }
  return names;
}

int runBatchTo(const BatchOptions& options, RowComputer& computer, const std::string& outputPath) {
  if (outputPath.empty()) return runBatch(options, computer);
  std::optional<OutputFile> output;
  try {
    output.emplace(outputPath, options.path);
  } catch (const std::runtime_error& e) {
    throw UsageError{e.what()};
  }
  const int status = runBatch(options, computer);
  if (status == 2) return status;
  try {
    output->keep();
  } catch (const std::runtime_error& e) {
    throw UsageError{e.what()};
  }
  return status;
}

}  // namespace pyrelon::cli
