// Small path helpers for naming outputs.
#ifndef QUARN_CLI_PATH_NAMES_H
#define QUARN_CLI_PATH_NAMES_H

#include <string>

namespace quarn::cli {

// ".png" for "a/B.PNG"; empty when the name has no extension.
std::string LowerExtension(const std::string& path);

// `path` with its extension replaced by `extension` (which may be empty).
std::string ReplaceExtension(const std::string& path, const std::string& extension);

// "a/b.png" in `folder`, with the extension replaced: folder/b<extension>.
std::string InFolder(const std::string& folder, const std::string& path, const std::string& extension);

// Whether the two paths name the same file (both must exist), or are equal
// after normalisation.
bool SameFile(const std::string& a, const std::string& b);

}  // namespace quarn::cli

#endif
