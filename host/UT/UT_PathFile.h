#pragma once

#include "host/UT/UT_PathFileInfo.h"

#include <string>
#include <vector>

// Looks for a file name in each directory of a search path, in order.
//
// Search path 0 is the VANTREL_PATH environment variable: directories
// separated by ':' (empty entries skipped), read when setSearchPath is
// called. When it is unset or empty the path is $HOME/.vantrel. The first
// directory is where new files are saved.
class UT_PathFile
{
public:
    enum
    {
        VANTREL_SEARCH_PATH = 0
    };

    UT_PathFile() = default;

    // Searches path_id (only 0 is known; others search nothing) for
    // file_name, a name relative to each directory. Returns the number of
    // existing files found.
    int setSearchPath(int path_id, const char *file_name);
    // Keeps only regular files among those found: directories, devices and
    // pipes of that name are passed over. A file that cannot be read is
    // kept, so that opening it fails and the caller can say so.
    void applyStandardFilter();

    // With existing_only non-zero, the files found; otherwise one entry per
    // directory of the path whether or not the file exists there.
    int getFileInfoCount(int existing_only = 1) const;
    // Null when index is out of range. Owned by this object.
    const UT_PathFileInfo *getFileInfo(int index, int existing_only = 1) const;

    // A new info for saving file_name, in the directory offered for saving
    // (getSaveDirIndex). The caller deletes it.
    UT_PathFileInfo *createFileInfo() const;
    int getSaveDirIndex() const { return 0; }

    int getDirCount() const { return int(myDirs.size()); }
    const char *getDir(int i) const;

private:
    void rebuild();

    std::vector<std::string> myDirs;
    std::string myFileName;
    bool myFiltered = false;
    std::vector<UT_PathFileInfo> myAll;
    std::vector<UT_PathFileInfo> myFound;
};
