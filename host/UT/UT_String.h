#pragma once

#include "host/UT/SYS_Visibility.h"

#include <cstddef>
#include <string>

// An owning character string that also knows a "null" state (never set),
// distinct from the empty string. Comparisons treat null as empty.
class VANTREL_API UT_String
{
public:
    UT_String() = default;
    UT_String(const char *s) { *this = s; }
    UT_String(const std::string &s) : myData(s), myIsNull(false) {}

    UT_String &operator=(const char *s);
    UT_String &operator=(const std::string &s);

    // Never null: a null string gives "".
    const char *c_str() const { return myData.c_str(); }
    const char *buffer() const { return myData.c_str(); }
    // Null when never set; for APIs that tell "no value" from "".
    const char *nonNullOrNull() const { return myIsNull ? nullptr : myData.c_str(); }
    operator const char *() const { return myData.c_str(); }
    const std::string &toStdString() const { return myData; }

    // True when set and not empty.
    bool isstring() const { return !myData.empty(); }
    bool isNull() const { return myIsNull; }
    int length() const { return int(myData.size()); }
    void clear() { myData.clear(); myIsNull = true; }

    char operator()(int i) const { return i >= 0 && i < length() ? myData[size_t(i)] : '\0'; }

    UT_String &operator+=(const char *s);
    UT_String &operator+=(const UT_String &s) { return *this += s.c_str(); }
    void append(const char *s) { *this += s; }
    void append(char c);
    // printf-style formatting into the string; returns the new length.
    int sprintf(const char *fmt, ...) __attribute__((format(printf, 2, 3)));

    bool contains(const char *part) const;
    int compare(const char *s) const;

private:
    std::string myData;
    bool myIsNull = true;
};

VANTREL_API bool operator==(const UT_String &a, const UT_String &b);
VANTREL_API bool operator==(const UT_String &a, const char *b);
VANTREL_API bool operator==(const char *a, const UT_String &b);
VANTREL_API bool operator!=(const UT_String &a, const UT_String &b);
VANTREL_API bool operator!=(const UT_String &a, const char *b);
VANTREL_API bool operator!=(const char *a, const UT_String &b);
VANTREL_API bool operator<(const UT_String &a, const UT_String &b);
