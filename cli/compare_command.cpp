// quarn compare: how far apart two pictures are, per channel and overall.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "command_line.h"
#include "commands.h"
#include "file_info.h"
#include "picture_difference.h"
#include "picture_source.h"
#include "usage_text.h"

namespace quarn::cli {

namespace {

std::string PsnrText(double psnr) {
  if (std::isinf(psnr)) return "inf";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", psnr);
  return text;
}

std::string RmseText(double rmse) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", rmse);
  return text;
}

double ParseDecibels(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(value)) {
    throw UsageError("--min-psnr takes a number of decibels, not '" + text + "'");
  }
  return value;
}

}  // namespace

int RunCompare(const std::vector<std::string>& arguments) {
  if (AsksForHelp(arguments)) {
    std::fputs(CompareUsage(), stdout);
    return kExitDone;
  }
  bool json = false;
  bool hasFloor = false;
  double floor = 0;
  std::vector<std::string> files;
  ArgumentList list(arguments);
  while (!list.Done()) {
    bool isOption = false;
    const std::string argument = list.Next(isOption);
    if (!isOption) {
      files.push_back(argument);
    } else if (argument == "--json") {
      json = true;
    } else if (argument == "--min-psnr") {
      floor = ParseDecibels(list.ValueOf(argument));
      hasFloor = true;
    } else {
      throw UsageError("unknown option '" + argument + "'");
    }
  }
  if (files.size() != 2) throw UsageError("compare takes two files, " + std::to_string(files.size()) + " given");

  Picture pictures[2];
  for (int i = 0; i < 2; ++i) {
    std::string error;
    if (!ReadAnyPicture(files[i], pictures[i], error)) {
      std::fprintf(stderr, "%s: %s\n", files[i].c_str(), error.c_str());
      return kExitSomeFailed;
    }
  }
  if (pictures[0].width != pictures[1].width || pictures[0].height != pictures[1].height) {
    std::fprintf(stderr, "%s is %dx%d but %s is %dx%d; only pictures of the same sides can be compared\n",
                 files[0].c_str(), pictures[0].width, pictures[0].height, files[1].c_str(), pictures[1].width,
                 pictures[1].height);
    return kExitSomeFailed;
  }

  const std::vector<ChannelDifference> differences = PictureDifference(pictures[0], pictures[1]);
  if (json) {
    std::string out = "{\"a\": " + JsonString(files[0]) + ", \"b\": " + JsonString(files[1]) +
                      ", \"width\": " + std::to_string(pictures[0].width) +
                      ", \"height\": " + std::to_string(pictures[0].height);
    for (const ChannelDifference& d : differences) {
      // JSON has no infinity: identical channels get a PSNR of null.
      out += ", " + JsonString(d.name) + ": {\"rmse\": " + RmseText(d.rmse) +
             ", \"psnr\": " + (std::isinf(d.psnr) ? std::string("null") : PsnrText(d.psnr)) + "}";
    }
    std::printf("%s}\n", out.c_str());
  } else {
    std::printf("%s vs %s (%dx%d)\n", files[0].c_str(), files[1].c_str(), pictures[0].width, pictures[0].height);
    std::printf("  %-8s %10s %9s\n", "channel", "RMSE", "PSNR dB");
    for (const ChannelDifference& d : differences) {
      std::printf("  %-8s %10s %9s\n", d.name.c_str(), RmseText(d.rmse).c_str(), PsnrText(d.psnr).c_str());
    }
  }
  const double overall = differences.back().psnr;
  if (hasFloor && overall < floor) {
    std::fprintf(stderr, "overall PSNR %s dB is below the floor of %s dB\n", PsnrText(overall).c_str(),
                 PsnrText(floor).c_str());
    return kExitSomeFailed;
  }
  return kExitDone;
}

}  // namespace quarn::cli
