#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_IStream.h"

// A token stream over a file.
class VANTREL_API UT_IFStream : public UT_IStream
{
public:
    UT_IFStream() = default;
    UT_IFStream(const char *path, UT_ISTREAM_READTYPE type = UT_ISTREAM_ASCII) { open(path, type); }

    // True when the file could be opened for reading. A directory or a
    // missing file fails and leaves the stream empty.
    bool open(const char *path, UT_ISTREAM_READTYPE type = UT_ISTREAM_ASCII);
    bool open(const char *path, int type) { return open(path, type == 1 ? UT_ISTREAM_BINARY : UT_ISTREAM_ASCII); }
    void close();
};
