// quarn decode: a DDS texture back into a PNG, TGA or BMP picture.
#include <cstdio>
#include <filesystem>

#include "atomic_file.h"
#include "command_line.h"
#include "commands.h"
#include "image_file.h"
#include "path_names.h"
#include "picture_source.h"
#include "usage_text.h"

namespace quarn::cli {

int RunDecode(const std::vector<std::string>& arguments) {
  if (AsksForHelp(arguments)) {
    std::fputs(DecodeUsage(), stdout);
    return kExitDone;
  }
  bool force = false;
  const std::vector<std::string> files = OperandsAndFlags(arguments, {{"--force", &force}});
  if (files.size() != 2) throw UsageError("decode takes INPUT.dds and OUTPUT, " + std::to_string(files.size()) + " given");
  const std::string& input = files[0];
  const std::string& output = files[1];
  const std::string extension = LowerExtension(output);
  if (extension != ".png" && extension != ".tga" && extension != ".bmp") {
    throw UsageError("cannot tell the image kind of " + output + "; end it in .png, .tga or .bmp");
  }

  std::string error;
  Picture picture;
  std::vector<uint8_t> bytes;
  AtomicFile file;
  bool ok = CheckReadable(input, error);
  if (ok && !IsDdsFile(input)) {
    error = "not a DDS file (it does not start with \"DDS \")";
    ok = false;
  }
  if (ok && SameFile(input, output)) {
    error = "the output would replace the input";
    ok = false;
  }
  if (ok && !force && std::filesystem::exists(output)) {
    error = output + " exists; use --force to overwrite it";
    ok = false;
  }
  ok = ok && ReadDdsPicture(input, picture, error) && EncodePictureFile(output, picture, bytes, error) &&
       file.Open(output, error);
  if (ok) {
    file.Write(bytes.data(), bytes.size());
    ok = file.Commit(error);
  }
  if (!ok) {
    std::fprintf(stderr, "%s: %s\n", input.c_str(), error.c_str());
    return kExitSomeFailed;
  }
  std::printf("%s -> %s (%dx%d%s)\n", input.c_str(), output.c_str(), picture.width, picture.height,
              picture.hasAlpha ? ", with alpha" : "");
  return kExitDone;
}

}  // namespace quarn::cli
