#include "host/GU/GB_ElementGroup.h"

void
GB_ElementGroup::add(int index)
{
    if (index < 0)
        return;
    if (index >= int(myMembers.size()))
        myMembers.resize(size_t(index) + 1, 0);
    if (!myMembers[index])
    {
        myMembers[index] = 1;
        ++myCount;
    }
}

