// What lies in the platform's temporary folder, to check that an export
// leaves none of its working files behind.
#ifndef QUARN_TESTS_SUPPORT_TEMPORARY_FILES_H
#define QUARN_TESTS_SUPPORT_TEMPORARY_FILES_H

#include <set>
#include <string>

namespace quarn {

// Names of the files in the folder where platform::CreateTemporaryFile
// creates its files, those starting with `prefix`.
std::set<std::string> TemporaryFilesStartingWith(const std::string& prefix);

}  // namespace quarn

#endif
