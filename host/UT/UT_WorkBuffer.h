#pragma once

#include "host/UT/SYS_Visibility.h"

#include <cstddef>
#include <string>

// A growable scratch buffer for building and reading text.
class VANTREL_API UT_WorkBuffer
{
public:
    UT_WorkBuffer() = default;
    explicit UT_WorkBuffer(const char *s) { strcpy(s); }

    const char *buffer() const { return myData.c_str(); }
    const char *c_str() const { return myData.c_str(); }
    const std::string &toStdString() const { return myData; }
    int length() const { return int(myData.size()); }
    bool isstring() const { return !myData.empty(); }
    void clear() { myData.clear(); }

    // Out-of-range indices read as '\0'.
    char operator[](int i) const { return i >= 0 && i < length() ? myData[size_t(i)] : '\0'; }
    char first() const { return (*this)[0]; }
    char last() const { return (*this)[length() - 1]; }

    void strcpy(const char *s) { myData = s ? s : ""; }
    void append(char c) { myData.push_back(c); }
    void append(const char *s) { if (s) myData += s; }
    void append(const char *s, size_t len) { if (s) myData.append(s, len); }

    bool operator==(const char *s) const { return myData == (s ? s : ""); }
    bool operator!=(const char *s) const { return !(*this == s); }
    bool operator==(const UT_WorkBuffer &b) const { return myData == b.myData; }
    bool operator!=(const UT_WorkBuffer &b) const { return myData != b.myData; }

private:
    std::string myData;
};
