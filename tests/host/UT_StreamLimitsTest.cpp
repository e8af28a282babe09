// What the token stream refuses: numbers that are not finite decimals,
// tokens without end, and files that are not regular files.
#include "host/UT/UT_IFStream.h"
#include "host/UT/UT_WorkBuffer.h"
#include "tests/support/VantrelScratch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <sys/stat.h>

TEST(UT_StreamLimits, OnlyFiniteDecimalNumbersRead)
{
    // Each token fails as a float, stays unread and reads back as a word.
    for (const char *bad : {"nan", "NaN", "inf", "-inf", "infinity", "0x707107", "0x1p3",
                            "1e39", "-3.5e38", "2.5x", "1,5", "++1", "+-1", "."})
    {
        UT_IStream is{std::string(bad)};
        float f = 7.0f;
        EXPECT_EQ(is.aread(&f), 0) << bad;
        EXPECT_EQ(f, 7.0f) << bad;
        EXPECT_TRUE(is.isError()) << bad;
        UT_WorkBuffer w;
        ASSERT_TRUE(is.getWord(w)) << bad;
        EXPECT_EQ(w, bad);
    }
    // Within a double's range 1e39 is fine; the float limit itself too.
    UT_IStream is(std::string("1e39 3.4028234e38 +2.5 -0 1e-50 .5"));
    double d = 0;
    EXPECT_EQ(is.aread(&d), 1);
    EXPECT_EQ(d, 1e39);
    float f[5];
    ASSERT_EQ(is.aread(f, 5), 5);
    EXPECT_TRUE(std::isfinite(f[0]));
    EXPECT_EQ(f[1], 2.5f);
    EXPECT_EQ(f[2], 0.0f);
    EXPECT_EQ(f[3], 0.0f);
    EXPECT_EQ(f[4], 0.5f);
    // Integers: out of range and hexadecimal fail too.
    int i = 0;
    UT_IStream ints(std::string("99999999999 0x10 12"));
    EXPECT_EQ(ints.aread(&i), 0);
    std::string word;
    ints.getWord(word);
    EXPECT_EQ(ints.aread(&i), 0);
    ints.getWord(word);
    EXPECT_EQ(ints.aread(&i), 1);
    EXPECT_EQ(i, 12);
}

TEST(UT_StreamLimits, EndlessTokensAndSpecialFilesAreRefused)
{
    // A token longer than the cap ends the reading without growing further.
    std::string huge(UT_IStream::theMaxTokenLength + 10, 'a');
    UT_IStream is(huge + " next");
    UT_WorkBuffer w;
    EXPECT_FALSE(is.getWord(w));
    EXPECT_TRUE(is.isError());
    EXPECT_FALSE(is.getWord(w)); // "next" is never reached
    UT_IStream quoted("\"" + huge + "\"");
    UT_WorkBuffer s;
    EXPECT_EQ(quoted.aread(s), 0);
    UT_IStream line(huge);
    EXPECT_FALSE(line.getLine(w));
    // Just under the cap is an ordinary token.
    UT_IStream fits(std::string(UT_IStream::theMaxTokenLength - 1, 'b'));
    EXPECT_TRUE(fits.getWord(w));

    vantrel_test::ScratchDir dir;
    const std::string fifo = dir.path() + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    struct Case { std::string path; const char *why; };
    const Case cases[] = {{"/dev/zero", "not a regular file"},
                          {fifo, "not a regular file"},
                          {dir.path(), "is a directory"},
                          {dir.path() + "/missing", "does not exist"}};
    for (const Case &c : cases)
    {
        UT_IFStream file;
        EXPECT_FALSE(file.open(c.path.c_str())) << c.path;
        EXPECT_NE(file.getOpenError().find(c.why), std::string::npos)
            << c.path << ": " << file.getOpenError();
        EXPECT_FALSE(file.getWord(w));
    }
    vantrel_test::writeFile(dir.path() + "/ok", "x");
    UT_IFStream ok;
    EXPECT_TRUE(ok.open((dir.path() + "/ok").c_str()));
    EXPECT_TRUE(ok.getOpenError().empty());
}
