#pragma once

#include <string>
#include <vector>

// One candidate location of a file on a search path: a directory (by its
// index in the path) and a file name relative to it.
class UT_PathFileInfo
{
public:
    UT_PathFileInfo() = default;
    UT_PathFileInfo(const std::vector<std::string> &dirs, int dir_index, const char *file_name);

    // Directory and file name joined with '/'; "" when the directory index
    // is not on the path.
    const char *getFullPath() const { return myFullPath.c_str(); }
    int getDirIndex() const { return myDirIndex; }
    void setDirIndex(int index);
    void setFileName(const char *name);
    const char *getDirectory() const;

    bool exists() const;
    bool isRegularFile() const;

    // Makes the location ready to be written: with make_dirs the missing
    // directories are created; without overwrite an existing file fails;
    // with backup an existing file is first copied to "<name>.bak".
    // Non-zero on success.
    int prepareForSave(int backup, int make_dirs, int overwrite) const;

private:
    void rebuild();

    std::vector<std::string> myDirs;
    int myDirIndex = 0;
    std::string myFileName;
    std::string myFullPath;
};
