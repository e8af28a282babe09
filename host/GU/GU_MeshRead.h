#ifndef GU_MeshRead_h
#define GU_MeshRead_h

// The mesh file readers behind GU_Detail::load, and what they share: a
// buffered byte source over a stream that counts what it has read, and the
// choice of reader for a file.
//
// Each reader appends to an empty geometry and on failure returns false
// with the reason (without the file name) in why; the caller then empties
// the geometry, so nothing of a half-read file stays.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <istream>
#include <string>
#include <string_view>

class GU_Detail;

enum class GU_MeshFormat
{
    OBJ,
    PLY,
    STL_ASCII,
    STL_BINARY,
    GLTF // the JSON form or the binary .glb, told apart by the reader
};

// The reader for a file of size bytes (-1 when unknown) that starts with
// head: by its content first (the PLY magic line, a binary STL whose size
// matches its facet count exactly, an ASCII STL that starts with "solid"
// and has a "facet", the glb magic "glTF", JSON that opens with "{" and
// names "asset"), then by the name's extension, else OBJ.
GU_MeshFormat GUmeshFormatOf(std::string_view head, long long size, const std::string &name);

// Reads bytes from a stream through a buffer of its own.
class GU_ByteSource
{
public:
    explicit GU_ByteSource(std::istream &in) : myBuf(in.rdbuf()) {}

    // The next byte, or -1 at the end.
    int get()
    {
        if (myPos == myEnd && !refill())
            return -1;
        return (unsigned char)myData[myPos++];
    }
    int peek()
    {
        if (myPos == myEnd && !refill())
            return -1;
        return (unsigned char)myData[myPos];
    }
    // Copies n bytes into out; false when the input ends first.
    bool read(void *out, size_t n)
    {
        char *dst = static_cast<char *>(out);
        while (n > 0)
        {
            if (myPos == myEnd && !refill())
                return false;
            size_t take = myEnd - myPos < n ? myEnd - myPos : n;
            for (size_t i = 0; i < take; ++i)
                dst[i] = myData[myPos + i];
            myPos += take;
            dst += take;
            n -= take;
        }
        return true;
    }
    // The next word of at most max_length bytes separated by blanks or
    // line ends, counting the line ends passed. Empty at the end of input;
    // too_long is set (and false returned) for a longer word.
    bool word(std::string &out, size_t max_length, bool &too_long)
    {
        out.clear();
        int c = get();
        while (c == ' ' || c == '\t' || c == '\r' || c == '\n')
        {
            if (c == '\n')
                ++myLine;
            c = get();
        }
        while (c >= 0 && c != ' ' && c != '\t' && c != '\r' && c != '\n')
        {
            if (out.size() >= max_length)
            {
                too_long = true;
                return false;
            }
            out.push_back(char(c));
            c = get();
        }
        myEndedLine = c == '\n' || c < 0;
        if (c == '\n')
            ++myLine;
        return !out.empty();
    }
    // Passes over the rest of the line the last word was on.
    void skipLine()
    {
        if (myEndedLine)
            return;
        int c = get();
        while (c >= 0 && c != '\n')
            c = get();
        if (c == '\n')
            ++myLine;
        myEndedLine = true;
    }
    // The line number (from 1) the last word was on or ended.
    long long line() const { return myLine; }
    void setLine(long long line) { myLine = line; }

private:
    bool refill()
    {
        if (!myBuf)
            return false;
        const std::streamsize got = myBuf->sgetn(myData, sizeof(myData));
        myPos = 0;
        myEnd = got > 0 ? size_t(got) : 0;
        return myEnd > 0;
    }

    std::streambuf *myBuf;
    char myData[1 << 16];
    size_t myPos = 0, myEnd = 0;
    long long myLine = 1;
    bool myEndedLine = true;
};

bool GUreadObj(GU_Detail &gdp, std::istream &in, std::string &why);
bool GUreadPly(GU_Detail &gdp, std::istream &in, long long size, std::string &why);
bool GUreadStl(GU_Detail &gdp, std::istream &in, long long size, bool binary, std::string &why);

// The geometry a mesh instance named name goes into: a new one per part,
// or the same one for a reader asked for a single geometry.
using GU_MeshSink = std::function<GU_Detail &(const std::string &name)>;
// glTF 2.0, either form; name also locates the buffers beside the file.
// Needs a stream that can seek (size known).
bool GUreadGltf(std::istream &in, long long size, const std::string &name,
                const GU_MeshSink &sink, std::string &why);

// Parses a whole word as a finite float (a leading '+' allowed).
bool GUparseFloat(std::string_view text, float &out);
// True when v is finite and rounds to a finite float: nine significant
// digits of the largest float read back as a double lie just above it.
bool GUfitsFloat(double v);

#endif
