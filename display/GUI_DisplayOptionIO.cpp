#include "display/GUI_DisplayOption.h"
#include "host/UT/UT_ClassicLocale.h"

#include "host/UT/UT_IStream.h"
#include "host/UT/UT_SymbolTable.h"
#include "host/UT/UT_WorkBuffer.h"

#include <iomanip>
#include <ostream>
#include <string>

namespace
{
const char *const theRecordKeywords[GUI_NUM_DETAIL_TYPES] = {
    "NON_SELECTED_RENDERING_OPTIONS",
    "SELECTED_RENDERING_OPTIONS",
    "TEMPLATE_RENDERING_OPTIONS",
    "CURRENT_NON_SELECTED_RENDERING_OPTIONS",
    "CURRENT_SELECTED_RENDERING_OPTIONS",
};

// Every line but the braces starts with this indent.
void
indent(std::ostream &os)
{
    os << std::setw(4) << "";
}

void
writePair(std::ostream &os, const char *keyword, const float *uv)
{
    indent(os);
    os << keyword << " ( " << uv[0] << " " << uv[1] << " )\n";
}

// Writes with the stream's plain formatting (general notation, six
// significant digits, decimal, blank fill) whatever the caller left set,
// and gives the caller its own formatting back afterwards.
class PlainFormatScope
{
public:
    explicit PlainFormatScope(std::ostream &os)
        : myStream(os), myFlags(os.flags()), myPrecision(os.precision()),
          myFill(os.fill())
    {
        myStream.flags(std::ios_base::dec | std::ios_base::skipws);
        myStream.precision(6);
        myStream.fill(' ');
    }
    ~PlainFormatScope()
    {
        myStream.flags(myFlags);
        myStream.precision(myPrecision);
        myStream.fill(myFill);
    }

private:
    std::ostream &myStream;
    std::ios_base::fmtflags myFlags;
    std::streamsize myPrecision;
    char myFill;
};

// Keeps the stream's read type for the whole block and restores it on
// every way out.
class TextReadScope
{
public:
    explicit TextReadScope(UT_IStream &is) : myStream(is)
    {
        myStream.pushBinary(UT_ISTREAM_ASCII);
    }
    ~TextReadScope() { myStream.popBinary(); }

private:
    UT_IStream &myStream;
};
} // namespace

bool
GUI_DisplayOption::save(std::ostream &os) const
{
    UT_ClassicLocaleScope classic(os);
    PlainFormatScope plain(os);
    os.width(0);
    os << "{\n";

    indent(os);
    os << "COMMON_RENDERING_OPTIONS\n";
    bool ok = myCommon.save(os, 1);
    for (int i = 0; ok && i < GUI_NUM_DETAIL_TYPES; i++)
    {
        indent(os);
        os << theRecordKeywords[i] << "\n";
        ok = myRecords[i]->save(os, 1);
    }

    if (ok)
    {
        indent(os);
        os << "ROTOSCOPING_OPTIONS\n";
        myRotoscopeData.save(os, 1);

        writePair(os, "imageoffset", myImageOffset);
        writePair(os, "imagescale", myImageScale);
        writePair(os, "imageminuv", myImageMinUV);
        writePair(os, "imagemaxuv", myImageMaxUV);

        for (const FlagKeyword *row = theFlagKeywords; row->keyword; row++)
        {
            indent(os);
            os << row->keyword << " ( " << ((this->*row->get)() ? 1 : 0) << " )\n";
        }
    }

    os.width(0);
    os << "}\n";
    return ok;
}

bool
GUI_DisplayOption::load(UT_IStream &is)
{
    TextReadScope text(is);

    if (!is.checkToken("{"))
        return false;

    // Flag keywords map to their rows of the keyword table.
    UT_SymbolTable flagTable;
    for (const FlagKeyword *row = theFlagKeywords; row->keyword; row++)
        flagTable.addSymbol(row->keyword, row);

    UT_WorkBuffer word;
    while (is.getWord(word))
    {
        // Keywords match whole words only; a word carrying a NUL byte from
        // damaged input matches nothing, even if a keyword precedes the NUL.
        const std::string &w = word.toStdString();
        const bool plain = w.find('\0') == std::string::npos;

        if (w == "COMMON_RENDERING_OPTIONS")
        {
            if (!myCommon.load(is))
                return false;
            continue;
        }
        // Older blocks carry a target-output record; it is read and dropped.
        if (w == "TARGET_OUTPUT_RENDERING_OPTIONS")
        {
            GR_DisplayOption discarded(nullptr);
            if (!discarded.load(is))
                return false;
            continue;
        }
        int record = -1;
        for (int i = 0; i < GUI_NUM_DETAIL_TYPES; i++)
            if (w == theRecordKeywords[i])
                record = i;
        if (record >= 0)
        {
            if (!myRecords[record]->load(is))
                return false;
            continue;
        }
        if (w == "ROTOSCOPING_OPTIONS")
        {
            if (!myRotoscopeData.load(is))
                return false;
            continue;
        }

        float *pair = nullptr;
        if (w == "imageoffset")
            pair = myImageOffset;
        else if (w == "imagescale")
            pair = myImageScale;
        else if (w == "imageminuv")
            pair = myImageMinUV;
        else if (w == "imagemaxuv")
            pair = myImageMaxUV;
        if (pair)
        {
            if (!is.getWord(word) || is.aread(pair, 2) < 2 || !is.getWord(word))
                return false;
            continue;
        }

        // Older blocks carry a list of integers and a target-output switch;
        // both are read and dropped.
        if (w == "flags")
        {
            int count = 0;
            if (!is.getWord(word) || is.aread(&count, 1) < 1)
                return false;
            for (int i = 0; i < count; i++)
            {
                int value;
                if (is.aread(&value, 1) < 1)
                    return false;
            }
            if (!is.getWord(word))
                return false;
            continue;
        }

        UT_Thing found;
        if (plain && flagTable.findSymbol(w.c_str(), &found))
        {
            const FlagKeyword *row = found.asPointer<const FlagKeyword>();
            bool on = false;
            if (!is.getWord(word) || !is.readBool(on) || !is.getWord(word))
                return false;
            (this->*row->set)(on);
            continue;
        }

        if (w == "targetoutput")
        {
            bool on = false;
            if (!is.getWord(word) || !is.readBool(on) || !is.getWord(word))
                return false;
            continue;
        }

        if (w == "}")
            return true;
        // Anything else is passed over one word at a time.
    }
    // A block cut off before its closing brace still counts as read.
    return true;
}
