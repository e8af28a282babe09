#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_IStream.h"

#include <string>

// A token stream over a file.
class VANTREL_API UT_IFStream : public UT_IStream
{
public:
    UT_IFStream() = default;
    UT_IFStream(const char *path, UT_ISTREAM_READTYPE type = UT_ISTREAM_ASCII) { open(path, type); }

    // True when the file could be opened for reading. Only regular files
    // open: a directory, device, FIFO or socket (which could block or never
    // end) fails like a missing file and leaves the stream empty; then
    // getOpenError() says why.
    bool open(const char *path, UT_ISTREAM_READTYPE type = UT_ISTREAM_ASCII);
    bool open(const char *path, int type) { return open(path, type == 1 ? UT_ISTREAM_BINARY : UT_ISTREAM_ASCII); }
    void close();

    // Why the last open failed ("" after a successful one).
    const std::string &getOpenError() const { return myOpenError; }

private:
    std::string myOpenError;
};

// Empty when path names a regular file that can be read; otherwise why not
// ("does not exist", "is a directory", "is not a regular file", ...).
VANTREL_API std::string UTcheckReadableFile(const char *path);

// The name made absolute from the working directory (links resolved), as
// a person typing a relative name expects; the name itself when it is
// already absolute or names nothing.
VANTREL_API std::string UTabsolutePath(const std::string &name);
