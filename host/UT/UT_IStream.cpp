#include "host/UT/UT_IStream.h"

#include "host/UT/UT_String.h"
#include "host/UT/UT_WorkBuffer.h"

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>
#include <strings.h>
#include <type_traits>

namespace
{
bool
isBlank(int c)
{
    return c >= 0 && std::isspace(static_cast<unsigned char>(c));
}

// Whole-token integer parse with range check.
template <typename T>
bool
parseInt(const std::string &tok, T &out)
{
    if (tok.empty() || tok.find('\0') != std::string::npos)
        return false;
    errno = 0;
    char *end = nullptr;
    if (std::numeric_limits<T>::is_signed)
    {
        long long v = std::strtoll(tok.c_str(), &end, 10);
        if (errno || *end || v < (long long)std::numeric_limits<T>::min() ||
            v > (long long)std::numeric_limits<T>::max())
            return false;
        out = T(v);
    }
    else
    {
        if (tok[0] == '-')
            return false;
        unsigned long long v = std::strtoull(tok.c_str(), &end, 10);
        if (errno || *end || v > (unsigned long long)std::numeric_limits<T>::max())
            return false;
        out = T(v);
    }
    return end != tok.c_str();
}

// Whole-token floating parse: finite decimal numbers only. Not-a-number,
// infinities, hexadecimal and values beyond the type's range fail. The
// parse never looks at the process or stream locale: a point is the only
// decimal separator.
template <typename T>
bool
parseFloat(const std::string &tok, T &out)
{
    const char *first = tok.data();
    const char *last = first + tok.size();
    // A leading plus is accepted as the C library did; a second sign is not.
    if (first != last && *first == '+' && last - first > 1 && first[1] != '-' && first[1] != '+')
        ++first;
    double v = 0.0;
    const std::from_chars_result r = std::from_chars(first, last, v, std::chars_format::general);
    if (r.ec != std::errc() || r.ptr != last || !std::isfinite(v))
        return false;
    if (std::fabs(v) > double(std::numeric_limits<T>::max()))
        return false;
    out = T(v);
    return true;
}

template <typename T>
bool
parseValue(const std::string &tok, T &out)
{
    if constexpr (std::is_floating_point<T>::value)
        return parseFloat(tok, out);
    else
        return parseInt(tok, out);
}
} // namespace

UT_IStream::UT_IStream() = default;

UT_IStream::UT_IStream(std::istream &is, UT_ISTREAM_READTYPE type)
    : myIn(&is), myBinary(type == UT_ISTREAM_BINARY)
{
}

UT_IStream::UT_IStream(const char *data, size_t len, UT_ISTREAM_READTYPE type)
{
    std::string copy;
    if (data && len)
        copy.assign(data, len);
    setSource(std::make_unique<std::istringstream>(copy), type);
}

UT_IStream::UT_IStream(const std::string &text, UT_ISTREAM_READTYPE type)
{
    setSource(std::make_unique<std::istringstream>(text), type);
}

UT_IStream::~UT_IStream() = default;

void
UT_IStream::setSource(std::unique_ptr<std::istream> owned, UT_ISTREAM_READTYPE type)
{
    myOwned = std::move(owned);
    myIn = myOwned.get();
    myPushback.clear();
    myModeStack.clear();
    myBinary = (type == UT_ISTREAM_BINARY);
    myError = false;
    myTooLong = false;
}

void
UT_IStream::resetSource()
{
    myIn = nullptr;
    myOwned.reset();
    myPushback.clear();
    myModeStack.clear();
    myBinary = false;
    myError = false;
    myTooLong = false;
}

UT_ISTREAM_READTYPE
UT_IStream::toReadType(int type)
{
    switch (type)
    {
    case UT_ISTREAM_BINARY: return UT_ISTREAM_BINARY;
    case UT_ISTREAM_AUTO: return UT_ISTREAM_AUTO;
    default: return UT_ISTREAM_ASCII;
    }
}

bool
UT_IStream::pushBinary(UT_ISTREAM_READTYPE type)
{
    myModeStack.push_back(myBinary);
    if (type != UT_ISTREAM_AUTO)
        myBinary = (type == UT_ISTREAM_BINARY);
    return true;
}

bool
UT_IStream::popBinary()
{
    if (myModeStack.empty())
        return false;
    myBinary = myModeStack.back();
    myModeStack.pop_back();
    return true;
}

int
UT_IStream::getc()
{
    if (!myPushback.empty())
    {
        unsigned char c = static_cast<unsigned char>(myPushback.back());
        myPushback.pop_back();
        return c;
    }
    if (!myIn)
        return -1;
    std::streambuf *sb = myIn->rdbuf();
    if (!sb)
        return -1;
    int c = sb->sbumpc();
    if (c == std::char_traits<char>::eof())
    {
        if (myIn->bad())
            myError = true;
        return -1;
    }
    return static_cast<unsigned char>(c);
}

int
UT_IStream::peekc()
{
    if (!myPushback.empty())
        return static_cast<unsigned char>(myPushback.back());
    if (!myIn || !myIn->rdbuf())
        return -1;
    int c = myIn->rdbuf()->sgetc();
    return c == std::char_traits<char>::eof() ? -1 : static_cast<unsigned char>(c);
}

bool
UT_IStream::isEof()
{
    return peekc() < 0;
}

void
UT_IStream::unread(const std::string &bytes)
{
    myPushback.append(bytes.rbegin(), bytes.rend());
}

bool
UT_IStream::skipWhitespace()
{
    int c;
    while ((c = peekc()) >= 0 && isBlank(c))
        getc();
    return c >= 0;
}

bool
UT_IStream::tokenTooLong(size_t length)
{
    if (length < theMaxTokenLength)
        return false;
    // Nothing this stream reads is this long: the input is not text of
    // ours. Stop reading it altogether rather than grow without bound.
    myTooLong = true;
    myError = true;
    return true;
}

bool
UT_IStream::readToken(std::string &tok)
{
    tok.clear();
    if (myTooLong || !skipWhitespace())
        return false;
    int c;
    while ((c = peekc()) >= 0 && !isBlank(c))
    {
        if (tokenTooLong(tok.size()))
        {
            tok.clear();
            return false;
        }
        tok.push_back(char(getc()));
    }
    return !tok.empty();
}

bool
UT_IStream::getWord(std::string &word)
{
    return readToken(word);
}

bool
UT_IStream::getWord(UT_WorkBuffer &word)
{
    std::string tok;
    bool ok = readToken(tok);
    word.clear();
    word.append(tok.data(), tok.size());
    return ok;
}

bool
UT_IStream::getWord(UT_String &word)
{
    std::string tok;
    bool ok = readToken(tok);
    word = tok;
    return ok;
}

bool
UT_IStream::checkToken(const char *tok)
{
    if (!tok || !*tok)
        return false;
    std::string next;
    if (!readToken(next))
        return false;
    if (next == tok)
        return true;
    unread(next);
    return false;
}

bool
UT_IStream::getLine(UT_WorkBuffer &line)
{
    line.clear();
    int c = myTooLong ? -1 : getc();
    if (c < 0)
        return false;
    std::string text;
    while (c >= 0 && c != '\n')
    {
        if (tokenTooLong(text.size()))
            return false;
        text.push_back(char(c));
        c = getc();
    }
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    line.append(text.data(), text.size());
    return true;
}

template <typename T>
int
UT_IStream::areadValues(T *v, int n)
{
    int count = 0;
    std::string tok;
    for (; v && count < n; ++count)
    {
        if (!readToken(tok))
            break;
        if (!parseValue(tok, v[count]))
        {
            unread(tok);
            myError = true;
            break;
        }
    }
    return count;
}

int UT_IStream::aread(short *v, int n) { return areadValues(v, n); }
int UT_IStream::aread(int *v, int n) { return areadValues(v, n); }
int UT_IStream::aread(unsigned *v, int n) { return areadValues(v, n); }
int UT_IStream::aread(int64_t *v, int n) { return areadValues(v, n); }
int UT_IStream::aread(float *v, int n) { return areadValues(v, n); }
int UT_IStream::aread(double *v, int n) { return areadValues(v, n); }

int
UT_IStream::readQuotedOrWord(std::string &out)
{
    out.clear();
    if (myTooLong || !skipWhitespace())
        return 0;
    if (peekc() != '"')
        return readToken(out) ? 1 : 0;

    // Keep the raw bytes so an unterminated string can be put back whole.
    std::string raw(1, char(getc()));
    for (;;)
    {
        int c = getc();
        if (c < 0)
        {
            unread(raw);
            myError = true;
            return 0;
        }
        if (tokenTooLong(raw.size()))
        {
            out.clear();
            return 0;
        }
        raw.push_back(char(c));
        if (c == '"')
            return 1;
        if (c == '\\')
        {
            int e = getc();
            if (e < 0)
                continue; // reported as unterminated on the next turn
            raw.push_back(char(e));
            switch (e)
            {
            case 'n': out.push_back('\n'); break;
            case 't': out.push_back('\t'); break;
            default: out.push_back(char(e)); break;
            }
            continue;
        }
        out.push_back(char(c));
    }
}

int
UT_IStream::aread(UT_String &s)
{
    std::string text;
    int n = readQuotedOrWord(text);
    if (n)
        s = text;
    return n;
}

int
UT_IStream::aread(UT_WorkBuffer &s)
{
    std::string text;
    int n = readQuotedOrWord(text);
    if (n)
    {
        s.clear();
        s.append(text.data(), text.size());
    }
    return n;
}

int
UT_IStream::readBytes(unsigned char *out, int n)
{
    int got = 0;
    while (got < n)
    {
        int c = getc();
        if (c < 0)
            break;
        out[got++] = static_cast<unsigned char>(c);
    }
    return got;
}

template <typename T>
int
UT_IStream::breadValue(T *v, int n)
{
    int count = 0;
    for (; v && count < n; ++count)
    {
        unsigned char bytes[sizeof(T)];
        if (readBytes(bytes, int(sizeof(T))) != int(sizeof(T)))
            break;
        // Assemble little-endian bytes into an unsigned integer of the
        // same size, then reinterpret.
        uint64_t bits = 0;
        for (size_t i = 0; i < sizeof(T); ++i)
            bits |= uint64_t(bytes[i]) << (8 * i);
        if (sizeof(T) == 1) { uint8_t b = uint8_t(bits); std::memcpy(&v[count], &b, 1); }
        else if (sizeof(T) == 2) { uint16_t b = uint16_t(bits); std::memcpy(&v[count], &b, 2); }
        else if (sizeof(T) == 4) { uint32_t b = uint32_t(bits); std::memcpy(&v[count], &b, 4); }
        else { std::memcpy(&v[count], &bits, 8); }
    }
    return count;
}

int UT_IStream::bread(char *v, int n) { return breadValue(v, n); }
int UT_IStream::bread(unsigned char *v, int n) { return breadValue(v, n); }
int UT_IStream::bread(short *v, int n) { return breadValue(v, n); }
int UT_IStream::bread(int *v, int n) { return breadValue(v, n); }
int UT_IStream::bread(unsigned *v, int n) { return breadValue(v, n); }
int UT_IStream::bread(int64_t *v, int n) { return breadValue(v, n); }
int UT_IStream::bread(float *v, int n) { return breadValue(v, n); }
int UT_IStream::bread(double *v, int n) { return breadValue(v, n); }

bool
UT_IStream::readBool(bool &b)
{
    if (myBinary)
    {
        unsigned char c;
        if (readBytes(&c, 1) != 1)
            return false;
        b = (c != 0);
        return true;
    }
    std::string tok;
    if (!readToken(tok))
        return false;
    int64_t iv;
    if (parseInt(tok, iv))
    {
        b = (iv != 0);
        return true;
    }
    static const char *const theTrue[] = {"true", "on", "yes"};
    static const char *const theFalse[] = {"false", "off", "no"};
    for (int i = 0; i < 3; ++i)
    {
        if (strcasecmp(tok.c_str(), theTrue[i]) == 0)
        {
            b = true;
            return true;
        }
        if (strcasecmp(tok.c_str(), theFalse[i]) == 0)
        {
            b = false;
            return true;
        }
    }
    unread(tok);
    myError = true;
    return false;
}

bool
UT_IStream::readChar(char &c)
{
    if (!myBinary && !skipWhitespace())
        return false;
    int v = getc();
    if (v < 0)
        return false;
    c = char(v);
    return true;
}
