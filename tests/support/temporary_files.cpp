#include "support/temporary_files.h"

#include <filesystem>

#include "platform/platform.h"

namespace quarn {

std::set<std::string> TemporaryFilesStartingWith(const std::string& prefix) {
  // The platform decides the folder: a probe file shows where it is.
  const std::string probe = platform::CreateTemporaryFile("quarn-probe");
  std::set<std::string> names;
  if (probe.empty()) return names;
  const std::filesystem::path folder = std::filesystem::path(probe).parent_path();
  platform::RemoveFile(probe);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0) names.insert(name);
  }
  return names;
}

}  // namespace quarn
