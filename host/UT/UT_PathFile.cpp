#include "host/UT/UT_PathFile.h"

#include "host/UT/UT_ErrorManager.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// The directories of search path 0 as they are now.
std::vector<std::string>
searchDirs()
{
    std::vector<std::string> dirs;
    const char *path = std::getenv("VANTREL_PATH");
    std::string text = path ? path : "";
    size_t start = 0;
    while (start <= text.size())
    {
        size_t colon = text.find(':', start);
        if (colon == std::string::npos)
            colon = text.size();
        std::string dir = text.substr(start, colon - start);
        while (dir.size() > 1 && dir.back() == '/')
            dir.pop_back();
        if (!dir.empty())
            dirs.push_back(dir);
        start = colon + 1;
    }
    if (dirs.empty())
    {
        const char *home = std::getenv("HOME");
        dirs.push_back(std::string(home && *home ? home : ".") + "/.vantrel");
    }
    return dirs;
}
} // namespace

int
UT_PathFile::setSearchPath(int path_id, const char *file_name)
{
    myDirs.clear();
    if (path_id == VANTREL_SEARCH_PATH)
        myDirs = searchDirs();
    myFileName = file_name ? file_name : "";
    myFiltered = false;
    rebuild();
    return getFileInfoCount(1);
}

void
UT_PathFile::applyStandardFilter()
{
    myFiltered = true;
    rebuild();
}

void
UT_PathFile::rebuild()
{
    myAll.clear();
    myFound.clear();
    if (myFileName.empty())
        return;
    for (int i = 0; i < int(myDirs.size()); ++i)
    {
        UT_PathFileInfo info(myDirs, i, myFileName.c_str());
        bool keep = myFiltered ? info.isRegularFile() : info.exists();
        if (keep)
            myFound.push_back(info);
        myAll.push_back(info);
    }
}

int
UT_PathFile::getFileInfoCount(int existing_only) const
{
    return int(existing_only ? myFound.size() : myAll.size());
}

const UT_PathFileInfo *
UT_PathFile::getFileInfo(int index, int existing_only) const
{
    const auto &list = existing_only ? myFound : myAll;
    if (index < 0 || index >= int(list.size()))
        return nullptr;
    return &list[size_t(index)];
}

UT_PathFileInfo *
UT_PathFile::createFileInfo() const
{
    return new UT_PathFileInfo(myDirs, getSaveDirIndex(), myFileName.c_str());
}

const char *
UT_PathFile::getDir(int i) const
{
    if (i < 0 || i >= int(myDirs.size()))
        return nullptr;
    return myDirs[size_t(i)].c_str();
}

UT_PathFileInfo::UT_PathFileInfo(const std::vector<std::string> &dirs,
                                 int dir_index, const char *file_name)
    : myDirs(dirs), myDirIndex(dir_index), myFileName(file_name ? file_name : "")
{
    rebuild();
}

void
UT_PathFileInfo::setDirIndex(int index)
{
    myDirIndex = index;
    rebuild();
}

void
UT_PathFileInfo::setFileName(const char *name)
{
    myFileName = name ? name : "";
    rebuild();
}

const char *
UT_PathFileInfo::getDirectory() const
{
    if (myDirIndex < 0 || myDirIndex >= int(myDirs.size()))
        return "";
    return myDirs[size_t(myDirIndex)].c_str();
}

void
UT_PathFileInfo::rebuild()
{
    myFullPath.clear();
    if (myDirIndex < 0 || myDirIndex >= int(myDirs.size()) || myFileName.empty())
        return;
    const std::string &dir = myDirs[size_t(myDirIndex)];
    myFullPath = dir + (dir.back() == '/' ? "" : "/") + myFileName;
}

bool
UT_PathFileInfo::exists() const
{
    struct stat st;
    return !myFullPath.empty() && stat(myFullPath.c_str(), &st) == 0;
}

bool
UT_PathFileInfo::isRegularFile() const
{
    struct stat st;
    return !myFullPath.empty() && stat(myFullPath.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int
UT_PathFileInfo::prepareForSave(int backup, int make_dirs, int overwrite) const
{
    if (myFullPath.empty())
        return 0;
    if (make_dirs && !UTcreateDirectoryForFile(myFullPath.c_str()))
        return 0;

    struct stat st;
    std::string dir = getDirectory();
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return 0;

    // A read-only directory still lets an existing writable file be
    // rewritten in place; only a new file needs the directory writable.
    const bool dir_writable = access(dir.c_str(), W_OK) == 0;
    if (stat(myFullPath.c_str(), &st) != 0)
        return dir_writable ? 1 : 0;
    {
        if (!S_ISREG(st.st_mode) || !overwrite || access(myFullPath.c_str(), W_OK) != 0)
            return 0;
        if (backup)
        {
            std::ifstream in(myFullPath, std::ios::binary);
            std::ofstream out(myFullPath + ".bak", std::ios::binary | std::ios::trunc);
            // Inserting an empty buffer counts as a failure; skip it.
            if (st.st_size > 0)
                out << in.rdbuf();
            if (!in || !out)
                return 0;
        }
    }
    return 1;
}
