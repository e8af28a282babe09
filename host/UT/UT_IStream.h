#pragma once

#include "host/UT/SYS_Visibility.h"

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class UT_String;
class UT_WorkBuffer;

// How values are read: as blank-separated text or as raw binary.
// AUTO keeps whatever mode the stream is in.
enum UT_ISTREAM_READTYPE
{
    UT_ISTREAM_ASCII = 0,
    UT_ISTREAM_BINARY = 1,
    UT_ISTREAM_AUTO = 2
};

// A token stream over a file (UT_IFStream), a string or a std::istream.
//
// Text reads skip blanks (any isspace character) and take one token at a
// time. A read that fails leaves the unread token in the stream, so the
// caller can try another reading of it. Binary reads take little-endian
// values of the stated size. Every read reports how much it got; nothing
// reads past the end of the input or blocks on a truncated stream.
// Numbers are read in the classic "C" form whatever the locale: finite
// decimal values only (no nan, inf or hexadecimal, nothing beyond the
// type's range). A token, quoted string or line longer than
// theMaxTokenLength bytes is an error that ends all further text reads.
class VANTREL_API UT_IStream
{
public:
    static constexpr size_t theMaxTokenLength = 1 << 20;

    // An empty stream: every read fails.
    UT_IStream();
    // Reads from is, which must outlive this stream.
    explicit UT_IStream(std::istream &is, UT_ISTREAM_READTYPE type = UT_ISTREAM_ASCII);
    // Reads from a private copy of the bytes.
    UT_IStream(const char *data, size_t len, UT_ISTREAM_READTYPE type = UT_ISTREAM_ASCII);
    explicit UT_IStream(const std::string &text, UT_ISTREAM_READTYPE type = UT_ISTREAM_ASCII);
    virtual ~UT_IStream();

    UT_IStream(const UT_IStream &) = delete;
    UT_IStream &operator=(const UT_IStream &) = delete;

    // Nested read modes: pushBinary switches the mode until the matching
    // popBinary. popBinary with nothing pushed returns false.
    bool pushBinary(UT_ISTREAM_READTYPE type);
    bool pushBinary(int type) { return pushBinary(toReadType(type)); }
    bool popBinary();
    bool isBinary() const { return myBinary; }
    bool isAscii() const { return !myBinary; }

    // True when no byte is left.
    bool isEof();
    // True once a read found something it could not parse, or the
    // underlying stream failed.
    bool isError() const { return myError; }
    void clearError() { myError = false; }

    // The next blank-separated token; false at the end of input.
    bool getWord(UT_WorkBuffer &word);
    bool getWord(UT_String &word);
    bool getWord(std::string &word);
    // True, and the token consumed, when the next token equals tok;
    // otherwise nothing is consumed.
    bool checkToken(const char *tok);
    // The rest of the current line, without its newline; false at the end.
    bool getLine(UT_WorkBuffer &line);

    // Text reads of n values; each returns how many were read, stopping at
    // the first token that is missing or does not parse as the type.
    int aread(short *v, int n = 1);
    int aread(int *v, int n = 1);
    int aread(unsigned *v, int n = 1);
    int aread(int64_t *v, int n = 1);
    int aread(float *v, int n = 1);
    int aread(double *v, int n = 1);
    // A word, or a double-quoted string with \" \\ \n \t escapes.
    // Returns 1 when read, 0 otherwise.
    int aread(UT_String &s);
    int aread(UT_WorkBuffer &s);

    // Binary reads of n little-endian values; each returns how many whole
    // values were read.
    int bread(char *v, int n = 1);
    int bread(unsigned char *v, int n = 1);
    int bread(short *v, int n = 1);
    int bread(int *v, int n = 1);
    int bread(unsigned *v, int n = 1);
    int bread(int64_t *v, int n = 1);
    int bread(float *v, int n = 1);
    int bread(double *v, int n = 1);

    // aread or bread, whichever the current mode says.
    template <typename T>
    int read(T *v, int n = 1) { return myBinary ? bread(v, n) : aread(v, n); }

    // Text: 0/1 (any integer, non-zero is true), true/false, on/off,
    // yes/no in any case. Binary: one byte, non-zero is true.
    bool readBool(bool &b);
    // Text: the next non-blank character. Binary: the next byte.
    bool readChar(char &c);

    // Raw byte access: the next byte as 0..255, or -1 at the end.
    int getc();
    int peekc();
    // Skips blanks; false when the input ends.
    bool skipWhitespace();

protected:
    // Replaces the source; used by UT_IFStream::open.
    void setSource(std::unique_ptr<std::istream> owned, UT_ISTREAM_READTYPE type);
    void resetSource();

private:
    static UT_ISTREAM_READTYPE toReadType(int type);
    // Reads a token (blanks skipped); false when none is left.
    bool readToken(std::string &tok);
    // Returns bytes to the front of the stream, to be read again next.
    void unread(const std::string &bytes);
    int readBytes(unsigned char *out, int n);
    // Text reads of n values of an integer or floating type.
    template <typename T> int areadValues(T *v, int n);
    template <typename T> int breadValue(T *v, int n);
    int readQuotedOrWord(std::string &out);
    // True (and the stream marked broken) once length reaches the cap.
    bool tokenTooLong(size_t length);

    std::istream *myIn = nullptr;
    std::unique_ptr<std::istream> myOwned;
    std::string myPushback; // read back to front
    std::vector<bool> myModeStack;
    bool myBinary = false;
    bool myError = false;
    bool myTooLong = false;
};
