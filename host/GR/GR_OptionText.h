#ifndef GR_OPTIONTEXT_H
#define GR_OPTIONTEXT_H

#include "host/UT/SYS_Visibility.h"

#include <functional>
#include <iosfwd>
#include <string>

class UT_IStream;

// The text form shared by the option records: a brace-delimited block of
// "keyword ( values )" lines. Readers take whole words, check the
// parentheses and parse each value completely, so garbage never turns
// into a setting.

// Four blanks per level.
VANTREL_API void GRwriteIndent(std::ostream &os, int level);
// The shortest decimal text that reads back as exactly the same float.
VANTREL_API void GRwriteFloat(std::ostream &os, float value);

// Each writes one "keyword ( values )" line at the indent level, in the
// form the matching reader below takes back.
VANTREL_API void GRwriteFloats(std::ostream &os, int level, const char *keyword,
                   const float *values, int count);
// The string is one token: quoted, with blanks, parentheses, quotes, '%'
// and control bytes written as %XX.
VANTREL_API void GRwriteQuoted(std::ostream &os, int level, const char *keyword,
                   const std::string &text);

// Reads a whole block: "{", then readEntry for each keyword up to "}".
// readEntry reads the keyword's values (GRskipValues for keywords it does
// not know) and returns false on a malformed entry, which ends the block
// with false. The input ending before "}" is false too.
VANTREL_API bool GRreadBlock(UT_IStream &is,
                 const std::function<bool(const std::string &keyword)> &readEntry);

// Each reads "(", its values and ")"; false when anything is missing or
// malformed. Values are stored only when the whole entry read well.
VANTREL_API bool GRreadFloats(UT_IStream &is, float *values, int count);
VANTREL_API bool GRreadUnsigned(UT_IStream &is, unsigned &value);
VANTREL_API bool GRreadInt(UT_IStream &is, int &value);
VANTREL_API bool GRreadFlag(UT_IStream &is, bool &value);
VANTREL_API bool GRreadQuoted(UT_IStream &is, std::string &text);

// Passes over the parenthesised values of an unknown keyword, if any.
// False when the input ends inside them.
VANTREL_API bool GRskipValues(UT_IStream &is);

#endif
