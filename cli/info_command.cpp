// quarn info: what texture and image files hold.
#include <cstdio>

#include "command_line.h"
#include "commands.h"
#include "file_info.h"
#include "usage_text.h"

namespace quarn::cli {

namespace {

void PrintText(const std::string& path, const FileInfo& info) {
  std::printf("%s: %s\n", path.c_str(), info.kind.c_str());
  std::printf("  format:    %s\n", info.format.c_str());
  std::printf("  sides:     %lldx%lld\n", static_cast<long long>(info.width), static_cast<long long>(info.height));
  std::printf("  rows:      %s\n", info.rowOrder.c_str());
  std::printf("  file size: %llu bytes\n", static_cast<unsigned long long>(info.fileBytes));
  if (info.declaredLevels > 0) std::printf("  levels declared by the header: %d\n", info.declaredLevels);
  if (!info.levels.empty()) {
    std::printf("  levels in the file: %zu\n", info.levels.size());
    for (size_t i = 0; i < info.levels.size(); ++i) {
      const LevelInfo& level = info.levels[i];
      std::printf("    %2zu: %dx%d, %llu bytes\n", i, level.width, level.height,
                  static_cast<unsigned long long>(level.bytes));
    }
  }
  std::printf("  header fields:\n");
  for (const InfoField& field : info.fields) std::printf("    %s: %s\n", field.name.c_str(), field.text.c_str());
}

std::string Json(const std::string& path, const FileInfo& info) {
  std::string out = "{\"file\": " + JsonString(path) + ", \"kind\": " + JsonString(info.kind) +
                    ", \"format\": " + JsonString(info.format) + ", \"width\": " + std::to_string(info.width) +
                    ", \"height\": " + std::to_string(info.height) + ", \"rows\": " + JsonString(info.rowOrder) +
                    ", \"fileBytes\": " + std::to_string(info.fileBytes) +
                    ", \"declaredLevels\": " + std::to_string(info.declaredLevels) + ", \"levels\": [";
  for (size_t i = 0; i < info.levels.size(); ++i) {
    const LevelInfo& level = info.levels[i];
    out += std::string(i ? ", " : "") + "{\"width\": " + std::to_string(level.width) +
           ", \"height\": " + std::to_string(level.height) + ", \"bytes\": " + std::to_string(level.bytes) + "}";
  }
  out += "], \"header\": {";
  for (size_t i = 0; i < info.fields.size(); ++i) {
    out += std::string(i ? ", " : "") + JsonString(info.fields[i].name) + ": " + info.fields[i].json;
  }
  return out + "}}";
}

}  // namespace

int RunInfo(const std::vector<std::string>& arguments) {
  if (AsksForHelp(arguments)) {
    std::fputs(InfoUsage(), stdout);
    return kExitDone;
  }
  bool json = false;
  const std::vector<std::string> files = OperandsAndFlags(arguments, {{"--json", &json}});
  if (files.empty()) throw UsageError("no file given");

  int status = kExitDone;
  std::vector<std::string> objects;
  for (const std::string& path : files) {
    FileInfo info;
    std::string error;
    if (!DescribeFile(path, info, error)) {
      std::fprintf(stderr, "%s: %s\n", path.c_str(), error.c_str());
      status = kExitSomeFailed;
      continue;
    }
    if (json) {
      objects.push_back(Json(path, info));
    } else {
      PrintText(path, info);
    }
  }
  if (json) {
    std::printf("[");
    for (size_t i = 0; i < objects.size(); ++i) std::printf("%s\n  %s", i ? "," : "", objects[i].c_str());
    std::printf("%s]\n", objects.empty() ? "" : "\n");
  }
  return status;
}

}  // namespace quarn::cli
