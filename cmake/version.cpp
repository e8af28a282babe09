#include "vantrel/Version.h"

extern "C" const char *
vantrel_gui_version()
{
    return VANTREL_VERSION_STRING;
}
