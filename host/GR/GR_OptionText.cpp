#include "host/GR/GR_OptionText.h"

#include "host/UT/UT_ClassicLocale.h"
#include "host/UT/UT_IStream.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <sstream>

void
GRwriteIndent(std::ostream &os, int level)
{
    for (int i = 0; i < level; i++)
        os << "    ";
}

void
GRwriteFloat(std::ostream &os, float value)
{
    // Written through a private stream so the caller's formatting is
    // neither used nor changed.
    for (int digits = 6; digits <= 9; digits++)
    {
        std::ostringstream text;
        text.imbue(std::locale::classic());
        text.precision(digits);
        text << value;
        const std::string written = text.str();
        float back = 0.0f;
        std::from_chars(written.data(), written.data() + written.size(), back);
        if (digits == 9 || back == value)
        {
            os << written;
            return;
        }
    }
}

void
GRwriteFloats(std::ostream &os, int level, const char *keyword,
              const float *values, int count)
{
    UT_ClassicLocaleScope classic(os);
    GRwriteIndent(os, level);
    os << keyword << " (";
    for (int i = 0; i < count; i++)
    {
        os << ' ';
        GRwriteFloat(os, values[i]);
    }
    os << " )\n";
}

void
GRwriteQuoted(std::ostream &os, int level, const char *keyword,
              const std::string &text)
{
    static const char hex[] = "0123456789ABCDEF";
    GRwriteIndent(os, level);
    os << keyword << " ( \"";
    for (unsigned char c : text)
    {
        if (c <= ' ' || c >= 127 || c == '(' || c == ')' || c == '"' || c == '%')
            os << '%' << hex[c >> 4] << hex[c & 15];
        else
            os << c;
    }
    os << "\" )\n";
}

bool
GRreadBlock(UT_IStream &is,
            const std::function<bool(const std::string &keyword)> &readEntry)
{
    if (!is.checkToken("{"))
        return false;

    std::string word;
    while (is.getWord(word))
    {
        if (word == "}")
            return true;
        if (!readEntry(word))
            return false;
    }
    // The input ended inside the block.
    return false;
}

namespace
{
bool
readParen(UT_IStream &is, const char *paren)
{
    std::string word;
    return is.getWord(word) && word == paren;
}

// Reads "(", count words and ")".
bool
readEntry(UT_IStream &is, std::string *words, int count)
{
    if (!readParen(is, "("))
        return false;
    for (int i = 0; i < count; i++)
        if (!is.getWord(words[i]))
            return false;
    return readParen(is, ")");
}

bool
parseFloat(const std::string &word, float &value)
{
    // Read in the classic form whatever the locale; the whole word must be
    // the number (a NUL byte inside it is not an end).
    const char *start = word.c_str();
    const char *last = start + word.size();
    if (last - start > 1 && *start == '+' && start[1] != '-')
        ++start;
    float parsed = 0.0f;
    const std::from_chars_result r = std::from_chars(start, last, parsed);
    if (r.ec != std::errc() || r.ptr != last || word.empty() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool
parseLong(const std::string &word, long long &value)
{
    const char *start = word.c_str();
    char *end = nullptr;
    errno = 0;
    long long parsed = std::strtoll(start, &end, 0);
    if (end != start + word.size() || word.empty() || errno == ERANGE)
        return false;
    value = parsed;
    return true;
}

int
hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}
} // namespace

bool
GRreadFloats(UT_IStream &is, float *values, int count)
{
    const int max_count = 4;
    if (count < 1 || count > max_count)
        return false;
    std::string words[max_count];
    float parsed[max_count];
    if (!readEntry(is, words, count))
        return false;
    for (int i = 0; i < count; i++)
        if (!parseFloat(words[i], parsed[i]))
            return false;
    for (int i = 0; i < count; i++)
        values[i] = parsed[i];
    return true;
}

bool
GRreadUnsigned(UT_IStream &is, unsigned &value)
{
    std::string word;
    long long parsed;
    if (!readEntry(is, &word, 1) || !parseLong(word, parsed) || parsed < 0 ||
        parsed > 0xFFFFFFFFll)
        return false;
    value = (unsigned)parsed;
    return true;
}

bool
GRreadInt(UT_IStream &is, int &value)
{
    std::string word;
    long long parsed;
    if (!readEntry(is, &word, 1) || !parseLong(word, parsed) ||
        parsed < -2147483648ll || parsed > 2147483647ll)
        return false;
    value = (int)parsed;
    return true;
}

bool
GRreadFlag(UT_IStream &is, bool &value)
{
    std::string word;
    if (!readEntry(is, &word, 1) || (word != "0" && word != "1"))
        return false;
    value = word == "1";
    return true;
}

bool
GRreadQuoted(UT_IStream &is, std::string &text)
{
    std::string word;
    if (!readEntry(is, &word, 1) || word.size() < 2 || word.front() != '"' ||
        word.back() != '"')
        return false;

    std::string decoded;
    for (size_t i = 1; i + 1 < word.size(); i++)
    {
        char c = word[i];
        if (c == '"')
            return false;
        if (c == '%')
        {
            // The escape's two digits must lie before the closing quote.
            if (i + 2 >= word.size() - 1)
                return false;
            int hi = hexDigit(word[i + 1]);
            int lo = hexDigit(word[i + 2]);
            if (hi < 0 || lo < 0)
                return false;
            decoded += char(hi * 16 + lo);
            i += 2;
        }
        else
            decoded += c;
    }
    text = decoded;
    return true;
}

bool
GRskipValues(UT_IStream &is)
{
    if (!is.checkToken("("))
        return true;
    std::string word;
    int depth = 1;
    while (depth > 0)
    {
        if (!is.getWord(word))
            return false;
        if (word == "(")
            depth++;
        else if (word == ")")
            depth--;
    }
    return true;
}
