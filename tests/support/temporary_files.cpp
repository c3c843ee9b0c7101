#include "support/temporary_files.h"

#include <chrono>
#include <filesystem>
#include <thread>

#include "platform/platform.h"

namespace quarn {

std::set<std::string> TemporaryFilesStartingWith(const std::string& prefix) {
  // The platform decides the folder: a probe file shows where it is.
  const std::string probe = platform::CreateTemporaryFile("probe");
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

std::set<std::string> TemporaryFilesLeftBehind(const std::string& prefix, const std::set<std::string>& before) {
  std::set<std::string> added;
  for (int attempt = 0; attempt < 200; ++attempt) {
    added.clear();
    for (const std::string& name : TemporaryFilesStartingWith(prefix)) {
      if (!before.count(name)) added.insert(name);
    }
    if (added.empty()) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return added;
}

}  // namespace quarn
