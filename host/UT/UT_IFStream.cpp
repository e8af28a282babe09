#include "host/UT/UT_IFStream.h"

#include <fstream>
#include <sys/stat.h>

bool
UT_IFStream::open(const char *path, UT_ISTREAM_READTYPE type)
{
    close();
    if (!path || !*path)
        return false;
    // A directory "opens" as a file stream on some systems; refuse it.
    struct stat st;
    if (stat(path, &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    auto file = std::make_unique<std::ifstream>(path, std::ios::in | std::ios::binary);
    if (!file->is_open())
        return false;
    setSource(std::move(file), type);
    return true;
}

void
UT_IFStream::close()
{
    resetSource();
}
