// quarn compress: images to textures, many files at once on every core.
#include <algorithm>
#include <atomic>
#include <exception>
#include <new>
#include <cstdio>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

#include "command_line.h"
#include "commands.h"
#include "format_names.h"
#include "image_file.h"
#include "path_names.h"
#include "progress_line.h"
#include "texture_writer.h"
#include "usage_text.h"

namespace quarn::cli {

namespace {

struct CompressOptions {
  std::vector<std::string> inputs;
  TextureRequest request;
  bool formatGiven = false;
  std::string output;     // -o
  std::string outFolder;  // --out-dir
  std::string alphaPath;  // --alpha
  int jobs = 0;
  bool force = false;
};

CompressOptions ParseCompressOptions(const std::vector<std::string>& arguments) {
  CompressOptions options;
  options.jobs = static_cast<int>(std::thread::hardware_concurrency());
  if (options.jobs < 1) options.jobs = 1;
  ArgumentList list(arguments);
  while (!list.Done()) {
    bool isOption = false;
    const std::string argument = list.Next(isOption);
    if (!isOption) {
      options.inputs.push_back(argument);
    } else if (argument == "-f" || argument == "--format") {
      const std::string name = list.ValueOf(argument);
      options.request.format = ParseFormat(name);
      if (options.request.format < 0) {
        throw UsageError("unknown format '" + name + "'; use one of " + FormatChoices());
      }
      options.formatGiven = true;
    } else if (argument == "-o" || argument == "--output") {
      options.output = list.ValueOf(argument);
    } else if (argument == "--out-dir") {
      options.outFolder = list.ValueOf(argument);
    } else if (argument == "--container") {
      const std::string name = list.ValueOf(argument);
      if (!ParseContainer(name, options.request.container)) {
        throw UsageError("unknown container '" + name + "'; use dds, fs70, ace or mips");
      }
    } else if (argument == "--dither") {
      options.request.dither = true;
    } else if (argument == "--alpha") {
      options.alphaPath = list.ValueOf(argument);
    } else if (argument == "--no-mip-header") {
      options.request.mipHeader = false;
    } else if (argument == "-j" || argument == "--jobs") {
      options.jobs = ParseCount(argument, list.ValueOf(argument), 1, 1024);
    } else if (argument == "--force") {
      options.force = true;
    } else {
      throw UsageError("unknown option '" + argument + "'");
    }
  }
  if (options.inputs.empty()) throw UsageError("no input image given");
  if (!options.formatGiven) throw UsageError("no output format given; use -f FORMAT, one of " + FormatChoices());
  if (!options.output.empty() && !options.outFolder.empty()) throw UsageError("-o and --out-dir exclude each other");
  if (!options.output.empty() && options.inputs.size() > 1) {
    throw UsageError("-o names one output, but " + std::to_string(options.inputs.size()) +
                     " inputs were given; use --out-dir DIR");
  }
  if (!options.request.mipHeader && options.request.container != Container::Fs70) {
    throw UsageError("--no-mip-header applies to --container fs70 only");
  }
  std::string error;
  if (!ContainerTakesFormat(options.request.container, options.request.format, error)) throw UsageError(error);
  if (!options.outFolder.empty() && !std::filesystem::is_directory(options.outFolder)) {
    throw UsageError("the output folder " + options.outFolder + " does not exist");
  }
  return options;
}

// Where one input's texture goes: -o as given, else beside the input or in
// --out-dir with the container's extension. The mip container takes a
// prefix; by default "<name>_" so that the level files read name_0.bmp,
// name_1.bmp, ...
std::string OutputFor(const CompressOptions& options, const std::string& input) {
  if (!options.output.empty()) return options.output;
  const bool mips = options.request.container == Container::Mips;
  const std::string extension = mips ? "" : ContainerExtension(options.request.container);
  const std::string base =
      options.outFolder.empty() ? ReplaceExtension(input, extension) : InFolder(options.outFolder, input, extension);
  return mips ? base + "_" : base;
}

struct Job {
  std::string input;
  std::string output;
  std::string conflict;  // set when another input already claims the same output
};

struct JobResult {
  bool finished = false;
  bool ok = false;
  std::string message;
  uint64_t pixels = 0;
};

bool MergeAlpha(const std::string& alphaPath, Picture& picture, std::string& error) {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> grey;
  if (!CheckReadable(alphaPath, error) || !ReadGreyFile(alphaPath, width, height, grey, error)) {
    error = "alpha image " + alphaPath + ": " + error;
    return false;
  }
  if (width != picture.width || height != picture.height) {
    error = "the alpha image " + alphaPath + " is " + std::to_string(width) + "x" + std::to_string(height) +
            ", the image is " + std::to_string(picture.width) + "x" + std::to_string(picture.height);
    return false;
  }
  for (size_t i = 0; i < grey.size(); ++i) picture.bgra[i * 4 + 3] = grey[i];
  picture.hasAlpha = true;
  return true;
}

bool CheckOutputs(const CompressOptions& options, const Job& job, const Picture& picture, std::string& error) {
  for (const std::string& file : OutputFiles(options.request.container, job.output, picture.width, picture.height)) {
    if (SameFile(file, job.input)) {
      error = "the output " + file + " would replace the input; choose another name with -o or --out-dir";
      return false;
    }
    if (!options.force && std::filesystem::exists(file)) {
      error = file + " exists; use --force to overwrite it";
      return false;
    }
  }
  return true;
}

JobResult RunJob(const CompressOptions& options, const Job& job) {
  JobResult result;
  std::string error;
  Picture picture;
  uint64_t bytes = 0;
  result.ok = job.conflict.empty() && CheckReadable(job.input, error) && ReadPictureFile(job.input, picture, error) &&
              (options.alphaPath.empty() || MergeAlpha(options.alphaPath, picture, error)) &&
              CheckEncodable(options.request.format, picture.width, picture.height, error) &&
              CheckOutputs(options, job, picture, error);
  if (result.ok) {
    // BMP-based containers store the bottom row first, like every BMP.
    if (options.request.container == Container::Fs70 || options.request.container == Container::Mips) {
      FlipRows(picture);
    }
    result.ok = WriteTexture(picture, options.request, job.output, bytes, error);
  }
  if (!job.conflict.empty()) error = job.conflict;
  result.pixels = static_cast<uint64_t>(picture.width) * static_cast<uint64_t>(picture.height);
  if (result.ok) {
    const std::string target = options.request.container == Container::Mips ? job.output + "<level>.bmp" : job.output;
    result.message = job.input + " -> " + target + " (" + FormatName(options.request.format) + ", " +
                     std::to_string(picture.width) + "x" + std::to_string(picture.height) + ", " +
                     std::to_string(bytes) + " bytes)";
  } else {
    result.message = job.input + ": " + error;
  }
  return result;
}

std::vector<Job> PlanJobs(const CompressOptions& options) {
  std::vector<Job> jobs;
  std::map<std::string, std::string> claimed;  // normalised output -> input that claims it
  for (const std::string& input : options.inputs) {
    Job job{input, OutputFor(options, input), {}};
    const std::string key = std::filesystem::absolute(job.output).lexically_normal().string();
    const auto [it, inserted] = claimed.emplace(key, input);
    if (!inserted) job.conflict = "its output " + job.output + " is already the output of " + it->second;
    jobs.push_back(job);
  }
  return jobs;
}

}  // namespace

int RunCompress(const std::vector<std::string>& arguments) {
  if (AsksForHelp(arguments)) {
    std::fputs(CompressUsage(), stdout);
    return kExitDone;
  }
  const CompressOptions options = ParseCompressOptions(arguments);
  const std::vector<Job> jobs = PlanJobs(options);

  std::vector<JobResult> results(jobs.size());
  std::mutex reportLock;
  size_t nextToReport = 0;
  ProgressLine progress(jobs.size());
  std::atomic<size_t> nextJob{0};

  // Results are printed in input order whatever order the threads finish in.
  const auto worker = [&]() {
    for (size_t i = nextJob++; i < jobs.size(); i = nextJob++) {
      JobResult result;
      try {
        result = RunJob(options, jobs[i]);
      } catch (const std::bad_alloc&) {
        result.ok = false;
        result.message = jobs[i].input + ": not enough memory for this image";
      } catch (const std::exception& failure) {
        // Out of memory for one large input fails that input, not the batch.
        result.ok = false;
        result.message = jobs[i].input + ": " + failure.what();
      }
      std::lock_guard<std::mutex> lock(reportLock);
      results[i] = std::move(result);
      results[i].finished = true;
      progress.Clear();
      for (; nextToReport < results.size() && results[nextToReport].finished; ++nextToReport) {
        const JobResult& done = results[nextToReport];
        std::fprintf(done.ok ? stdout : stderr, "%s\n", done.message.c_str());
        std::fflush(done.ok ? stdout : stderr);
      }
      progress.FileDone(results[i].pixels);
    }
  };
  const size_t threadCount = std::min(jobs.size(), static_cast<size_t>(options.jobs));
  std::vector<std::thread> threads;
  for (size_t t = 1; t < threadCount; ++t) threads.emplace_back(worker);
  worker();
  for (std::thread& thread : threads) thread.join();
  progress.Clear();

  size_t failed = 0;
  for (const JobResult& result : results) failed += result.ok ? 0 : 1;
  if (failed == 0) return kExitDone;
  std::fprintf(stderr, "%zu of %zu inputs failed\n", failed, results.size());
  return kExitSomeFailed;
}

}  // namespace quarn::cli
