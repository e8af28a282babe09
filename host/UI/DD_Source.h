#ifndef DD_Source_h
#define DD_Source_h

#include "host/UT/SYS_Visibility.h"

// Something the user can drag data out of. A source offers its data by
// index; the base offers none, so a drag from it carries nothing.
class VANTREL_API DD_Source
{
public:
    DD_Source() = default;
    DD_Source(const DD_Source &) = default;
    DD_Source &operator=(const DD_Source &) = default;
    virtual ~DD_Source() = default;

    // The i-th piece of data a drag from (x, y) carries; null when none.
    virtual void *getSourceData(int i, float x, float y);
    // Non-zero when a drag from (x, y) would carry data.
    virtual int hasSourceData(float x, float y);
    // Keeps what the source showed before the drag began.
    virtual void saveDragDropState() {}
    // Told that the target took the drop (non-zero) or refused it.
    virtual void dragDropAccepted(int accepted);
    // Gives back what saveDragDropState kept.
    virtual void restoreDragDropState() {}

    int getAcceptedDrops() const { return myAccepted; }

private:
    int myAccepted = 0;
};

#endif
