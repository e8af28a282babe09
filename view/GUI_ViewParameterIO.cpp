// The camera's text form: keyword entries "keyword ( values )", and the
// older fixed layout without keywords.

#include "view/GUI_ViewParameter.h"
#include "host/UT/UT_ClassicLocale.h"

#include "host/UT/UT_IStream.h"
#include "host/UT/UT_WorkBuffer.h"

#include <cmath>

#include <ostream>

namespace
{
// The version of the keyword form that save writes.
const int theSaveVersion = 3;

void
writeValues(std::ostream &os, const float *values, int count)
{
    for (int i = 0; i < count; ++i)
    {
        if (i)
            os << " ";
        os << values[i];
    }
}

void
writeMatrix3(std::ostream &os, const char *keyword, const UT_Matrix3 &m, char sep)
{
    os << keyword << " ( ";
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            os << m(r, c) << " ";
    os << " ) " << sep;
}

void
writeEntry(std::ostream &os, const char *keyword, const float *values, int count, char sep)
{
    os << keyword << " ( ";
    writeValues(os, values, count);
    os << " ) " << sep;
}

// Reads exactly count floats.
bool
readFloats(UT_IStream &is, float *values, int count)
{
    return is.aread(values, count) == count;
}

bool
readInt(UT_IStream &is, int &value)
{
    return is.aread(&value, 1) == 1;
}

bool
skipWord(UT_IStream &is)
{
    UT_WorkBuffer word;
    return is.getWord(word);
}

// Reads "( value )" for an entry holding one integer.
bool
readIntEntry(UT_IStream &is, int &value)
{
    return skipWord(is) && readInt(is, value) && skipWord(is);
}

// Reads and drops count floats; in the old layout a short group only shows
// when the next single value fails, so the count read is not checked.
void
dropFloats(UT_IStream &is, int count)
{
    float scratch[16];
    while (count > 0)
    {
        const int n = count < 16 ? count : 16;
        if (is.aread(scratch, n) != n)
            return;
        count -= n;
    }
}

// Switches the stream to text reading for the old layout and back again
// on every way out.
class BinaryModeScope
{
public:
    explicit BinaryModeScope(UT_IStream &is) : myStream(is) { myStream.pushBinary(UT_ISTREAM_ASCII); }
    ~BinaryModeScope() { myStream.popBinary(); }
    BinaryModeScope(const BinaryModeScope &) = delete;
    BinaryModeScope &operator=(const BinaryModeScope &) = delete;

private:
    UT_IStream &myStream;
};
} // namespace

int
GUI_ViewParameter::save(std::ostream &os, char sep) const
{
    UT_ClassicLocaleScope classic(os);
    os << "version ( " << theSaveVersion << " ) " << sep;

    os << "flag ( ";
    myFlag.save(os);
    os << " ) " << sep;

    writeEntry(os, "orthowidth", &myOrthoWidth, 1, sep);
    writeEntry(os, "focal", &myFocalLength, 1, sep);
    writeEntry(os, "aperture", &myAperture, 1, sep);
    const float window[4] = {myWinX, myWinSizeX, myWinY, myWinSizeY};
    writeEntry(os, "window", window, 4, sep);
    writeEntry(os, "winroll", &myWinRoll, 1, sep);
    writeEntry(os, "clear", &myClearAmount, 1, sep);
    const float limits[2] = {myNear, myFar};
    writeEntry(os, "nearfar", limits, 2, sep);
    const float res[2] = {myResX, myResY};
    writeEntry(os, "resxy", res, 2, sep);
    writeEntry(os, "aspect", &myAspectRatio, 1, sep);
    writeEntry(os, "pixelaspect", &myPixelAspect, 1, sep);
    writeEntry(os, "txyz", myT, 3, sep);
    writeEntry(os, "pxyz", myP, 3, sep);

    writeMatrix3(os, "rotation", UT_Matrix3(myRotation), sep);

    writeEntry(os, "homedistance", &myHomeDistance, 1, sep);
    if (myHomeWidthInPixels)
        writeEntry(os, "homepixelwidth", &myHomePixelWidth, 1, sep);
    else
        writeEntry(os, "homeadjboxwidth", &myHomeAdjBoxWidth, 1, sep);
    writeEntry(os, "homeorthowidth", &myHomeOrthoWidth, 1, sep);
    writeEntry(os, "homeradius", &myHomeRadius, 1, sep);
    os << "homeaxis ( " << int(myHomeAxis) << " ) " << sep;
    writeMatrix3(os, "homecustom", myCustomHomeRot, sep);
    os << "adjustlimits ( " << (myAdjustLimits ? 1 : 0) << " ) " << sep;

    return os.fail() ? -1 : 0;
}

bool
GUI_ViewParameter::load(UT_IStream &is)
{
    // winxy and winsize are older spellings of the window; a window entry
    // anywhere in the block wins over them, so they are held back.
    bool have_window = false;
    bool have_winxy = false;
    bool have_winsize = false;
    float winxy[2] = {0.0f, 0.0f};
    float winsize = 1.0f;
    float version = 0.0f;

    // Entries whose values go straight into floats; mark, when given, is
    // set to mark_value once the entry has been read whole.
    struct FloatEntry
    {
        const char *keyword;
        int count;
        float *values[9];
        bool *mark;
        bool mark_value;
    };
    UT_Matrix4 &rot = myRotation;
    UT_Matrix3 &home = myCustomHomeRot;
    const FloatEntry entries[] = {
        {"version", 1, {&version}, nullptr, false},
        {"orthowidth", 1, {&myOrthoWidth}, nullptr, false},
        {"focal", 1, {&myFocalLength}, nullptr, false},
        {"aperture", 1, {&myAperture}, nullptr, false},
        {"window", 4, {&myWinX, &myWinSizeX, &myWinY, &myWinSizeY}, &have_window, true},
        {"winxy", 2, {&winxy[0], &winxy[1]}, &have_winxy, true},
        {"winsize", 1, {&winsize}, &have_winsize, true},
        {"winroll", 1, {&myWinRoll}, nullptr, false},
        {"clear", 1, {&myClearAmount}, nullptr, false},
        {"nearfar", 2, {&myNear, &myFar}, nullptr, false},
        {"resxy", 2, {&myResX, &myResY}, nullptr, false},
        {"aspect", 1, {&myAspectRatio}, nullptr, false},
        {"pixelaspect", 1, {&myPixelAspect}, nullptr, false},
        {"txyz", 3, {&myT[0], &myT[1], &myT[2]}, nullptr, false},
        {"pxyz", 3, {&myP[0], &myP[1], &myP[2]}, nullptr, false},
        // Only the 3x3 part of the rotation; the rest of the 4x4 stays.
        {"rotation", 9, {&rot(0, 0), &rot(0, 1), &rot(0, 2), &rot(1, 0), &rot(1, 1),
                         &rot(1, 2), &rot(2, 0), &rot(2, 1), &rot(2, 2)}, nullptr, false},
        {"homedistance", 1, {&myHomeDistance}, nullptr, false},
        {"homepixelwidth", 1, {&myHomePixelWidth}, &myHomeWidthInPixels, true},
        {"homeadjboxwidth", 1, {&myHomeAdjBoxWidth}, &myHomeWidthInPixels, false},
        {"homeorthowidth", 1, {&myHomeOrthoWidth}, nullptr, false},
        {"homeradius", 1, {&myHomeRadius}, nullptr, false},
        {"homecustom", 9, {&home(0, 0), &home(0, 1), &home(0, 2), &home(1, 0), &home(1, 1),
                           &home(1, 2), &home(2, 0), &home(2, 1), &home(2, 2)}, nullptr, false},
    };

    UT_WorkBuffer word;
    while (is.getWord(word))
    {
        // Every known keyword is followed by "(", its values and ")"; the
        // parentheses themselves are not checked.
        const FloatEntry *entry = nullptr;
        for (const FloatEntry &e : entries)
        {
            if (word == e.keyword)
            {
                entry = &e;
                break;
            }
        }

        if (entry)
        {
            float v[9];
            if (!skipWord(is) || !readFloats(is, v, entry->count) || !skipWord(is))
                return false;
            for (int i = 0; i < entry->count; ++i)
                *entry->values[i] = v[i];
            if (entry->mark)
                *entry->mark = entry->mark_value;
        }
        else if (word == "flag")
        {
            if (!skipWord(is) || !myFlag.load(is) || !skipWord(is))
                return false;
        }
        else if (word == "homeaxis")
        {
            int iv = 0;
            if (!readIntEntry(is, iv))
                return false;
            myHomeAxis = static_cast<axis>(iv);
        }
        else if (word == "adjustlimits")
        {
            int iv = 0;
            if (!readIntEntry(is, iv))
                return false;
            myAdjustLimits = iv != 0;
        }
        // Anything else is passed over one word at a time.
    }

    if (!have_window)
    {
        if (have_winxy)
        {
            myWinX = winxy[0];
            myWinY = winxy[1];
        }
        if (have_winsize)
            myWinSizeX = myWinSizeY = winsize;
    }
    markStale(GUI_ViewFlag::STALE_ALL_INIT);
    return true;
}

bool
GUI_ViewParameter::oldLoad(UT_IStream &is, int version)
{
    BinaryModeScope text_mode(is);

    if (!myFlag.load(is))
        return false;

    // A zero divisor or an overflowing factor would store a value no text
    // can hold: a failed read like any other, keeping the value as read.
    float v = 0.0f;
    if (!readFloats(is, &myOrthoWidth, 1) || !readFloats(is, &v, 1) ||
        !std::isfinite(myOrthoWidth / v))
        return false;
    myOrthoWidth /= v;
    if (!readFloats(is, &myFocalLength, 1) || !readFloats(is, &myAperture, 1) ||
        !readFloats(is, &v, 1) || !std::isfinite(myFocalLength * v))
        return false;
    myFocalLength *= v;
    if (!readFloats(is, &myPixelAspect, 1) || !readFloats(is, &myAspectRatio, 1) ||
        !readFloats(is, &myNear, 1) || !readFloats(is, &myFar, 1))
        return false;

    (void)is.aread(myRotation.data(), 16);
    if (version < 2)
        dropFloats(is, 16);

    for (int i = 0; i < 3; ++i)
        if (!readFloats(is, &myT[i], 1))
            return false;
    for (int i = 0; i < 3; ++i)
        if (!readFloats(is, &myP[i], 1))
            return false;

    dropFloats(is, 16);
    dropFloats(is, 16);

    short *viewport[4] = {&myViewportX1, &myViewportX2, &myViewportY1, &myViewportY2};
    for (short *s : viewport)
        if (is.aread(s, 1) != 1)
            return false;

    if (!readFloats(is, &myHomeDistance, 1) || !readFloats(is, &myHomePixelWidth, 1))
        return false;
    myHomeWidthInPixels = true;
    if (!readFloats(is, &myHomeOrthoWidth, 1) || !readFloats(is, &myHomeRadius, 1))
        return false;

    float trailing[6];
    if (is.read(trailing, 6) < 6)
        return false;

    markStale(GUI_ViewFlag::STALE_ALL_INIT);
    return true;
}
