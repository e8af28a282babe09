#include "view/GUI_ViewFlag.h"
#include "host/UT/UT_ClassicLocale.h"

#include "host/UT/UT_IStream.h"
#include "host/UT/UT_WorkBuffer.h"

#include <cstring>
#include <ostream>

namespace
{
// The switches that have a letter in the text form.
struct LetterBit
{
    char letter;
    uint32_t bit;
};
const LetterBit theLetters[] = {
    {'o', GUI_ViewFlag::ORTHO},
    {'a', GUI_ViewFlag::APPLY_ASPECT},
    {'b', GUI_ViewFlag::B_FLAG},
    {'x', GUI_ViewFlag::ROTO_TRACKS_WINDOW},
};
} // namespace

void
GUI_ViewFlag::save(std::ostream &os) const
{
    UT_ClassicLocaleScope classic(os);
    char word[8];
    int n = 0;
    word[n++] = 'F';
    for (const LetterBit &lb : theLetters)
        if (isSet(lb.bit))
            word[n++] = lb.letter;
    word[n] = '\0';
    os << word;
}

bool
GUI_ViewFlag::load(UT_IStream &is)
{
    UT_WorkBuffer word;
    if (!is.getWord(word))
        return false;

    const char *text = word.buffer();
    const char lead = text[0];
    for (const LetterBit &lb : theLetters)
    {
        const bool named = std::strchr(text, lb.letter) != nullptr;
        if (lead == '+')
        {
            if (named)
                set(lb.bit);
        }
        else if (lead == '-')
        {
            if (named)
                clear(lb.bit);
        }
        else
        {
            set(lb.bit, named);
        }
    }
    return true;
}
