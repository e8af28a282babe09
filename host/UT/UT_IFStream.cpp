#include "host/UT/UT_IFStream.h"

#include <climits>
#include <cstdlib>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

std::string
UTcheckReadableFile(const char *path)
{
    if (!path || !*path)
        return "no file name given";
    struct stat st;
    if (stat(path, &st) != 0)
        return errno == ENOENT ? "does not exist" : std::strerror(errno);
    if (S_ISDIR(st.st_mode))
        return "is a directory";
    if (!S_ISREG(st.st_mode))
        return "is not a regular file";
    return std::string();
}

bool
UT_IFStream::open(const char *path, UT_ISTREAM_READTYPE type)
{
    close();
    myOpenError = UTcheckReadableFile(path);
    if (!myOpenError.empty())
        return false;
    auto file = std::make_unique<std::ifstream>(path, std::ios::in | std::ios::binary);
    if (!file->is_open())
    {
        myOpenError = "cannot be opened for reading";
        return false;
    }
    setSource(std::move(file), type);
    return true;
}

void
UT_IFStream::close()
{
    myOpenError.clear();
    resetSource();
}

std::string
UTabsolutePath(const std::string &name)
{
    if (name.empty() || name[0] == '/')
        return name;
    char resolved[PATH_MAX];
    return realpath(name.c_str(), resolved) ? std::string(resolved) : name;
}
