#ifndef GUI_ExternalDefaultCB_h
#define GUI_ExternalDefaultCB_h

#include "host/UT/SYS_Visibility.h"

#include <iosfwd>

class UT_IStream;

// The application's hook into the default viewport settings file: it keeps
// its own entries beside the library's. While the file is read, every
// keyword the library does not know is offered to matchesKeyword; a claimed
// keyword's value is read by loadKeyword. While the file is written,
// saveDefaults appends the application's entries after the library's.
class VANTREL_API GUI_ExternalDefaultCB
{
public:
    GUI_ExternalDefaultCB() {}
    GUI_ExternalDefaultCB(const GUI_ExternalDefaultCB &) {}
    virtual ~GUI_ExternalDefaultCB() {}

    GUI_ExternalDefaultCB &operator=(const GUI_ExternalDefaultCB &) { return *this; }

    // True when the keyword belongs to the application.
    virtual bool matchesKeyword(const char *keyword) = 0;
    // Reads the value that follows the keyword; false marks the file as bad.
    virtual bool loadKeyword(const char *keyword, UT_IStream &is) = 0;
    // Writes the application's entries.
    virtual void saveDefaults(std::ostream &os) = 0;
};

#endif
