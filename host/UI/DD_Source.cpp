#include "host/UI/DD_Source.h"

void *
DD_Source::getSourceData(int, float, float)
{
    return nullptr;
}

int
DD_Source::hasSourceData(float, float)
{
    return 0;
}

void
DD_Source::dragDropAccepted(int accepted)
{
    if (accepted)
        ++myAccepted;
}
