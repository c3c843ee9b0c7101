// Copying a finished file over its destination so that the destination is
// either left as it was or holds the complete copy.
#ifndef QUARN_CODEC_API_FILE_REPLACE_H
#define QUARN_CODEC_API_FILE_REPLACE_H

namespace quarn {

// Copies `source` to a new, uniquely named file in the destination's folder
// and renames it over `destination`. A destination that is read-only is not
// replaced. Returns false (and leaves nothing behind) when any step fails.
bool ReplaceFileWithCopy(const char* source, const char* destination);

}  // namespace quarn

#endif
