#include "host/UT/UT_IFStream.h"
#include "host/UT/UT_IStream.h"
#include "host/UT/UT_String.h"
#include "host/UT/UT_WorkBuffer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <unistd.h>

TEST(UT_IStreamTest, TextTokensValuesAndFailedReads)
{
    UT_IStream is(std::string("{\n  imagescale ( 2 3 )\tflag\r\n( -7 1e3 ) yes Off 12x } \"a \\\"b\\\"\""));
    EXPECT_FALSE(is.checkToken("}"));
    EXPECT_TRUE(is.checkToken("{"));

    UT_WorkBuffer w;
    ASSERT_TRUE(is.getWord(w));
    EXPECT_EQ(w, "imagescale");
    EXPECT_TRUE(is.checkToken("("));
    float f[3] = {0, 0, 0};
    // Asks for three, gets two: the ")" stays for the next read.
    EXPECT_EQ(is.aread(f, 3), 2);
    EXPECT_TRUE(f[0] == 2.0f && f[1] == 3.0f) << f[0] << " " << f[1];
    EXPECT_TRUE(is.isError());
    is.clearError();
    EXPECT_TRUE(is.checkToken(")"));

    // Tokens split on any blank, including tabs and CR.
    UT_String s;
    ASSERT_TRUE(is.getWord(s));
    EXPECT_EQ(s, "flag");

    char c = 0;
    ASSERT_TRUE(is.readChar(c));
    EXPECT_EQ(c, '(');
    int i = 0;
    EXPECT_EQ(is.aread(&i), 1);
    EXPECT_EQ(i, -7);
    double d = 0;
    // "1e3" is not an integer; the token is kept and reads as a double.
    EXPECT_EQ(is.aread(&i), 0);
    EXPECT_EQ(is.aread(&d), 1);
    EXPECT_EQ(d, 1000.0);
    EXPECT_TRUE(is.readChar(c));
    EXPECT_EQ(c, ')');

    bool b = false;
    EXPECT_TRUE(is.readBool(b) && b);
    EXPECT_TRUE(is.readBool(b) && !b);
    // "12x" is neither a number nor a boolean, and is left unread.
    EXPECT_FALSE(is.readBool(b));
    EXPECT_EQ(is.aread(&i), 0);
    ASSERT_TRUE(is.getWord(w));
    EXPECT_EQ(w, "12x");
    EXPECT_TRUE(is.checkToken("}"));

    EXPECT_EQ(is.aread(s), 1);
    EXPECT_EQ(s, "a \"b\"");

    // At the end every read fails cleanly.
    EXPECT_TRUE(is.isEof());
    EXPECT_FALSE(is.getWord(w));
    EXPECT_FALSE(is.checkToken("}"));
    EXPECT_EQ(is.aread(f, 1), 0);
    EXPECT_FALSE(is.readBool(b));
    EXPECT_FALSE(is.readChar(c));

    // An unterminated quoted string is left whole for the next read.
    UT_IStream open(std::string("  \"abc def\n  next"));
    EXPECT_EQ(open.aread(s), 0);
    ASSERT_TRUE(open.getWord(w));
    EXPECT_EQ(w, "\"abc");
    for (const char *line : {" def", "  next"})
        EXPECT_TRUE(open.getLine(w) && w == line) << line;
    EXPECT_FALSE(open.getLine(w));

    // Out-of-range integers do not wrap.
    UT_IStream big(std::string("70000 4294967296 -1"));
    short sh = 0;
    unsigned u = 0;
    EXPECT_EQ(big.aread(&sh), 0);
    EXPECT_EQ(big.aread(&i), 1);
    EXPECT_EQ(big.aread(&i), 0);
    EXPECT_EQ(big.aread(&u), 0);
}

TEST(UT_IStreamTest, BinaryModesNestAndTruncationFails)
{
    // Little-endian: int 258, float 1.5, then a float cut after two bytes.
    const char bytes[] = {2, 1, 0, 0, 0, 0, char(0xC0), 0x3F, 9, 9};
    UT_IStream is(bytes, sizeof(bytes));
    EXPECT_TRUE(is.isAscii());
    EXPECT_TRUE(is.pushBinary(UT_ISTREAM_BINARY));
    EXPECT_TRUE(is.pushBinary(0)); // text inside binary
    EXPECT_TRUE(is.isAscii());
    EXPECT_TRUE(is.pushBinary(UT_ISTREAM_AUTO)); // keeps text
    EXPECT_TRUE(is.isAscii());
    EXPECT_TRUE(is.popBinary());
    EXPECT_TRUE(is.popBinary());
    EXPECT_TRUE(is.isBinary());

    int i = 0;
    float f[2] = {0, 0};
    EXPECT_TRUE(is.read(&i) == 1 && i == 258) << i;
    EXPECT_TRUE(is.bread(f, 2) == 1 && f[0] == 1.5f) << f[0];
    EXPECT_TRUE(is.isEof());
    EXPECT_TRUE(is.popBinary());
    EXPECT_FALSE(is.popBinary()); // nothing left to pop
    EXPECT_TRUE(is.isAscii());

    // Text reads over binary bytes fail without crashing.
    const char junk[] = {'\0', char(0xFF), '\x01', ' ', '5'};
    UT_IStream j(junk, sizeof(junk));
    EXPECT_EQ(j.aread(&i), 0);
    UT_WorkBuffer w;
    EXPECT_TRUE(j.getWord(w));
    EXPECT_EQ(w.length(), 3);
    EXPECT_TRUE(j.aread(&i) == 1 && i == 5) << i;
}
