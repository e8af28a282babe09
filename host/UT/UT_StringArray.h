#pragma once

#include "host/UT/SYS_Visibility.h"

#include "host/UT/UT_String.h"

#include <vector>

// A list of owned strings. Reading out of range gives an empty string.
class VANTREL_API UT_StringArray
{
public:
    int entries() const { return int(myData.size()); }
    void clear() { myData.clear(); }
    // Returns the index of the new entry; null appends an empty string.
    int append(const char *s);
    int append(const UT_String &s) { return append(s.c_str()); }
    // Index of the first entry equal to s, or -1.
    int find(const char *s) const;
    bool removeIndex(int i);

    const UT_String &operator()(int i) const;
    const UT_String &operator[](int i) const { return (*this)(i); }
    void set(int i, const char *s);

    std::vector<UT_String>::const_iterator begin() const { return myData.begin(); }
    std::vector<UT_String>::const_iterator end() const { return myData.end(); }

    bool operator==(const UT_StringArray &o) const;
    bool operator!=(const UT_StringArray &o) const { return !(*this == o); }

private:
    std::vector<UT_String> myData;
};
