#pragma once

#include "host/UT/SYS_Visibility.h"

#include <string>

// Replaces the content of the file at path with bytes so that a failure or a
// killed process at any point leaves either the old content or the new one,
// whole.
//
// The bytes go to a temporary file beside the real target (symbolic links
// are followed, so the link stays a link and the file it names is the one
// replaced), which then takes the target's place by a rename and keeps the
// old file's permission bits. Temporary files that a killed save left in
// that directory are removed first. When no temporary file can be made or
// renamed there (a read-only directory holding a writable file, no free
// inodes), the save is refused: rewriting the file in place could lose it.
// A file-size limit makes the save fail with its reason (the signal it
// raises is ignored while the save writes), never end the process.
//
// Returns false and sets *error (when given) to a one-line reason that names
// the path; the old file is then unchanged.
VANTREL_API bool UTsaveFileSafely(const std::string &path, const std::string &bytes, std::string *error);

// The temporary file name a save of path would use from process pid, and
// whether a directory entry is such a name (and whose pid it holds).
std::string UTsafeSaveTempName(const std::string &path, long pid);
bool UTisSafeSaveTempName(const std::string &entry, long &pid);
