// What lies in the platform's temporary folder, to check that an export
// leaves none of its working files behind.
#ifndef QUARN_TESTS_SUPPORT_TEMPORARY_FILES_H
#define QUARN_TESTS_SUPPORT_TEMPORARY_FILES_H

#include <set>
#include <string>

namespace quarn {

// The start of the alpha merge's working file names on every platform
// (Windows keeps three characters of a prefix).
constexpr char kMergeFilePrefix[] = "qme";

// Names of the files in the folder where platform::CreateTemporaryFile
// creates its files, those starting with `prefix`.
std::set<std::string> TemporaryFilesStartingWith(const std::string& prefix);

// The files starting with `prefix` that were not there `before` and stay.
// Tests run in parallel processes, so a file that appears may belong to
// another process's merge in progress: such files are given a few seconds
// to go before they count.
std::set<std::string> TemporaryFilesLeftBehind(const std::string& prefix, const std::set<std::string>& before);

}  // namespace quarn

#endif
