#pragma once

#include <ios>
#include <locale>

// Every text file of ours is written in the classic "C" form: a point as
// decimal separator and no digit grouping, whatever locale the application
// gave its streams or the process. A writer holds one of these for the
// duration; the stream gets its own locale back afterwards.
class UT_ClassicLocaleScope
{
public:
    explicit UT_ClassicLocaleScope(std::ios_base &stream)
        : myStream(stream), myOld(stream.imbue(std::locale::classic()))
    {
    }
    ~UT_ClassicLocaleScope() { myStream.imbue(myOld); }
    UT_ClassicLocaleScope(const UT_ClassicLocaleScope &) = delete;
    UT_ClassicLocaleScope &operator=(const UT_ClassicLocaleScope &) = delete;

private:
    std::ios_base &myStream;
    std::locale myOld;
};
