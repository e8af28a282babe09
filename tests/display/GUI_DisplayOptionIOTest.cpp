#include "display/GUI_DisplayOption.h"

#include "host/UT/UT_IStream.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

namespace
{
std::string
saveText(const GUI_DisplayOption &opt)
{
    std::ostringstream os;
    EXPECT_TRUE(opt.save(os));
    return os.str();
}

bool
loadText(GUI_DisplayOption &opt, const std::string &text)
{
    UT_IStream is(text.data(), text.size());
    return opt.load(is);
}

std::vector<std::string>
lines(const std::string &text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

// Everything a set holds that the text block carries.
void
expectSameSet(GUI_DisplayOption &a, const GUI_DisplayOption &b)
{
    EXPECT_EQ(a.getFlagWord(), b.getFlagWord());
    typedef void (GUI_DisplayOption::*PairGetter)(float *) const;
    for (PairGetter get : {&GUI_DisplayOption::getImageOffset, &GUI_DisplayOption::getImageScale,
                           &GUI_DisplayOption::getImageMinUV, &GUI_DisplayOption::getImageMaxUV})
    {
        float ua[2], ub[2];
        (a.*get)(ua);
        (b.*get)(ub);
        EXPECT_TRUE(ua[0] == ub[0] && ua[1] == ub[1]);
    }
    EXPECT_TRUE(a.gdpOptionsEqual(b, true, false));
    for (int k = 0; k < GUI_NUM_DETAIL_TYPES; k++)
    {
        const GR_DisplayOption &ra = a[GUI_DetailType(k)];
        const GR_DisplayOption &rb = b[GUI_DetailType(k)];
        EXPECT_EQ(ra.getFlags(), rb.getFlags()) << k;
        EXPECT_EQ(ra.shadingMode(), rb.shadingMode()) << k;
    }
    EXPECT_TRUE(a.getRotoscopeData() == b.getRotoscopeData());
}

const char *const theDefaultFlagLines[] = {
    "    showselected ( 1 )",          "    shownonselected ( 1 )",
    "    showtemplates ( 1 )",         "    showfootprints ( 1 )",
    "    showcurrentoutput ( 1 )",     "    showdisplay ( 1 )",
    "    showguides ( 1 )",            "    showobjectnames ( 0 )",
    "    showfullnames ( 0 )",         "    draworigin ( 1 )",
    "    drawstickyorigin ( 1 )",      "    drawwalls ( 0 )",
    "    drawxyplane ( 0 )",           "    drawxzplane ( 0 )",
    "    drawyzplane ( 0 )",           "    drawfieldguide ( 0 )",
    "    drawsafearea ( 0 )",          "    drawbackgrounds ( 0 )",
    "    drawtexturedbackgrounds ( 1 )", "    drawfilteredbackgrounds ( 0 )",
    "    nonseloverridessel ( 1 )",    "    drawvertexattrib2d ( 0 )",
    "    autodetectattribtype2d ( 1 )", "    drawspecular ( 1 )",
    "    drawmultitexture ( 1 )",      "    autoplaceimage ( 1 )",
    "    showikcriticalzones ( 0 )",   "    drawcameramask ( 0 )",
    "    currentnonseloverridessel ( 1 )", "    applyselectmask ( 1 )",
};
} // namespace

TEST(GUI_DisplayOptionIO, DefaultBlockLayoutAndRoundTrip)
{
    GUI_DisplayOption opt;
    std::string text = saveText(opt);
    std::vector<std::string> got = lines(text);
    EXPECT_EQ(got.front(), "{");
    EXPECT_EQ(got[1], "    COMMON_RENDERING_OPTIONS");

    // Section keywords appear in this order, each on a line of its own.
    const char *sections[] = {"    COMMON_RENDERING_OPTIONS",
                              "    NON_SELECTED_RENDERING_OPTIONS",
                              "    SELECTED_RENDERING_OPTIONS",
                              "    TEMPLATE_RENDERING_OPTIONS",
                              "    CURRENT_NON_SELECTED_RENDERING_OPTIONS",
                              "    CURRENT_SELECTED_RENDERING_OPTIONS",
                              "    ROTOSCOPING_OPTIONS"};
    size_t at = 0;
    for (const char *section : sections)
    {
        while (at < got.size() && got[at] != section)
            at++;
        ASSERT_LT(at, got.size()) << section;
    }

    // The block ends with the placement lines and one line per flag.
    std::vector<std::string> tail = {"    imageoffset ( 0 0 )", "    imagescale ( 1 1 )",
                                     "    imageminuv ( 0 0 )", "    imagemaxuv ( 1 1 )"};
    tail.insert(tail.end(), std::begin(theDefaultFlagLines), std::end(theDefaultFlagLines));
    tail.push_back("}");
    ASSERT_GE(got.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(got.end() - tail.size(), got.end()), tail);

    // A changed set reads back into a fresh one exactly.
    opt.drawSafeArea(true);
    opt.showGuides(false);
    float offset[2] = {0.125f, -2.5f}, maxuv[2] = {0.75f, 0.5f};
    opt.setImageOffset(offset);
    opt.setImageMaxUV(maxuv);
    opt[GUI_TEMPLATE].shadingMode(GR_SHADE_SMOOTH_WIRE);
    opt[GUI_SELECTED].setFlag(GR_FLAG_POINT_NUMBERS, true);
    opt.common().backgroundColor() = UT_Color(UT_RGB, 0.1f, 0.3f, 0.7f);
    opt.getRotoscopeData().setFileName("plates/shot 12 (final).png");
    GUI_DisplayOption copy;
    ASSERT_TRUE(loadText(copy, saveText(opt)));
    expectSameSet(copy, opt);

    GUI_DisplayOption fresh, defaults;
    ASSERT_TRUE(loadText(fresh, text));
    expectSameSet(fresh, defaults);
}

TEST(GUI_DisplayOptionIO, LoadTakesOnlyWhatTheBlockSays)
{
    GUI_DisplayOption opt, defaults;
    EXPECT_TRUE(loadText(opt, "{ }"));
    expectSameSet(opt, defaults);

    EXPECT_FALSE(loadText(opt, "showselected ( 0 ) }"));
    EXPECT_FALSE(loadText(opt, ""));
    expectSameSet(opt, defaults);

    // Some flags, out of order; unknown and wrongly capitalised keywords
    // are passed over with their parentheses and values.
    EXPECT_TRUE(loadText(opt, "{ drawsafearea ( 1 ) mystery ( 1 2 3 ) DrawXYPlane ( 1 )\n"
                              "  showselected ( 0 ) drawSafeArea ( 0 ) }"));
    EXPECT_EQ(opt.getFlagWord(), (0x33D4067Fu | (1u << 16)) & ~1u);

    // Older entries load without changing anything.
    GUI_DisplayOption before(opt);
    std::ostringstream record;
    GR_DisplayOption odd(nullptr);
    odd.shadingMode(GR_SHADE_BOX_WIRE);
    odd.save(record, 1);
    EXPECT_TRUE(loadText(opt, "{ flags ( 3 10 20 30 ) targetoutput ( 1 )\n"
                              "TARGET_OUTPUT_RENDERING_OPTIONS\n" + record.str() + "}"));
    expectSameSet(opt, before);

    // Two numbers set the scale; one number fails at the brace.
    EXPECT_TRUE(loadText(opt, "{ imagescale ( 2 3 ) }"));
    float uv[2];
    opt.getImageScale(uv);
    EXPECT_TRUE(uv[0] == 2.0f && uv[1] == 3.0f) << uv[0] << " " << uv[1];
    EXPECT_FALSE(loadText(opt, "{ drawwalls ( 1 ) imagescale ( 4 ) }"));
    EXPECT_TRUE(opt.drawWalls());

    // What came before a failure stays; nothing after it is read.
    EXPECT_FALSE(loadText(opt, "{ drawxzplane ( 1 ) showguides ( maybe ) drawyzplane ( 1 ) }"));
    EXPECT_TRUE(opt.drawXZPlane() && !opt.drawYZPlane());
    EXPECT_FALSE(loadText(opt, "{ flags ( 4 1 2 ) }"));
    EXPECT_FALSE(loadText(opt, "{ SELECTED_RENDERING_OPTIONS { ghost ( 1 ) "));
    EXPECT_TRUE(opt[GUI_SELECTED].getFlag(GR_FLAG_GHOST));
}

TEST(GUI_DisplayOptionIO, CutOffAndGarbledBlocks)
{
    GUI_DisplayOption src;
    src.showObjectNames(true);
    src[GUI_SELECTED].setFlag(GR_FLAG_HULLS, true);
    std::string text = saveText(src);

    // Cut off right after the selected record: still read, with true.
    size_t cut = text.find("    TEMPLATE_RENDERING_OPTIONS");
    ASSERT_NE(cut, std::string::npos);
    GUI_DisplayOption opt;
    EXPECT_TRUE(loadText(opt, text.substr(0, cut)));
    EXPECT_TRUE(opt[GUI_SELECTED].getFlag(GR_FLAG_HULLS));
    EXPECT_FALSE(opt.showObjectNames());

    // Every prefix loads without harm (random damage is the fuzz target's).
    for (size_t n = 0; n < text.size(); n += 7)
    {
        GUI_DisplayOption scratch;
        loadText(scratch, text.substr(0, n));
    }
}

TEST(GUI_DisplayOptionIO, WholeWordsAndPlainNumbers)
{
    using namespace std::string_literals;
    GUI_DisplayOption opt;
    std::string plain = saveText(opt);

    // A keyword run into a stray NUL byte is another word and is skipped,
    // here and inside the records.
    EXPECT_TRUE(loadText(opt, "{ drawsafearea\0x ( 1 ) imagescale ( 2 3 ) }"s));
    EXPECT_FALSE(opt.drawSafeArea());
    EXPECT_FALSE(loadText(opt, "{ SELECTED_RENDERING_OPTIONS { hulls ( 1\0 ) } }"s));
    EXPECT_FALSE(opt[GUI_SELECTED].getFlag(GR_FLAG_HULLS));

    // Whatever formatting the caller left on the stream, the block is
    // written plainly and the caller's formatting is given back.
    float scale[2] = {1, 1};
    opt.setImageScale(scale);
    std::ostringstream os;
    os << std::fixed << std::setprecision(2) << std::showpos << std::hex
       << std::setfill('*');
    EXPECT_TRUE(opt.save(os));
    EXPECT_EQ(os.str(), plain);
    EXPECT_EQ(os.precision(), 2);
    EXPECT_EQ(os.fill(), '*');
    EXPECT_TRUE(os.flags() & std::ios_base::showpos);
}
