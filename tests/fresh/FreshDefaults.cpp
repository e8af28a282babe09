// A fresh process for the defaults tests: an application that registers
// its drawing options, opens a viewport (loading the defaults file found in
// the directory given), removes one option, then opens a second viewport.
// Prints, for each viewport and each kind of object, the user options that
// are on: "<viewport> <kind> <name>...". The defaults load once per
// process, so a test program cannot do this in its own.
//   vantrel-fresh-defaults DIR OPTION... -REMOVED

#include "display/GUI_DisplayOption.h"
#include "host/GR/GR_UserOption.h"
#include "view/GUI_ViewState.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
void
printEnabled(const char *viewport, const GUI_DisplayOption &options)
{
    for (int k = 0; k < GUI_NUM_DETAIL_TYPES; ++k)
    {
        std::printf("%s %d", viewport, k);
        const GR_DisplayOption &record = options[GUI_DetailType(k)];
        for (int i = 0; i < GR_UserOption::getNumOptions(); ++i)
            if (record.isUserOptionEnabled(i))
                std::printf(" %s", GR_UserOption::get(i)->getName());
        std::printf("\n");
    }
}
} // namespace

int
main(int argc, char **argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: vantrel-fresh-defaults DIR OPTION... -REMOVED\n");
        return 2;
    }
    setenv("VANTREL_PATH", argv[1], 1);
    std::string removed;
    for (int i = 2; i < argc; ++i)
    {
        if (argv[i][0] == '-')
            removed = argv[i] + 1;
        else
            GR_UserOption::define(argv[i]);
    }

    GUI_ViewState first;
    const int index = GR_UserOption::find(removed.c_str());
    if (!removed.empty() && (index < 0 || !GR_UserOption::remove(index)))
    {
        std::fprintf(stderr, "vantrel-fresh-defaults: no option \"%s\"\n", removed.c_str());
        return 2;
    }
    // The application tells the records it holds; the defaults are told
    // nothing.
    if (index >= 0)
        first.getDisplayOptionRef().removeUserOption(index);
    GUI_ViewState second;
    printEnabled("first", first.getDisplayOptionRef());
    printEnabled("second", second.getDisplayOptionRef());
    return 0;
}
