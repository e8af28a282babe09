// The camera's flag word: whatever loads saves to a word that loads back to
// the same flags.
#include "fuzz/FuzzSupport.h"
#include "host/UT/UT_IStream.h"
#include "view/GUI_ViewFlag.h"

#include <sstream>

namespace
{
std::string
saved(const GUI_ViewFlag &flag)
{
    std::ostringstream os;
    flag.save(os);
    return os.str();
}
} // namespace

extern "C" int
LLVMFuzzerInitialize(int *, char ***)
{
    GUI_ViewFlag some;
    some.set(GUI_ViewFlag::ORTHO | GUI_ViewFlag::ROTO_TRACKS_WINDOW);
    vantrel_fuzz::writeSeedsIfAsked({{"default", saved(GUI_ViewFlag())}, {"some", saved(some)},
                                     {"plus", "+" + saved(some)}, {"minus", "-" + saved(some)}});
    return 0;
}

extern "C" int
LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    GUI_ViewFlag flag;
    UT_IStream is(reinterpret_cast<const char *>(data), size);
    if (!flag.load(is))
        return 0;
    const std::string first = saved(flag);
    // Loading a plain word sets exactly its bits, whatever was set before.
    GUI_ViewFlag again;
    again.set(~0u & ~(GUI_ViewFlag::XFORM_STALE | GUI_ViewFlag::IXFORM_STALE |
                      GUI_ViewFlag::RXYZ_STALE | GUI_ViewFlag::INITIALIZED));
    UT_IStream back(first);
    if (!again.load(back))
        vantrel_fuzz::failRoundTrip("a saved flag word does not load", first);
    vantrel_fuzz::expectSameText(first, saved(again), "the flag word");
    return 0;
}
