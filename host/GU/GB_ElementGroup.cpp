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

void
GB_ElementGroup::remove(int index)
{
    if (contains(index))
    {
        myMembers[index] = 0;
        --myCount;
    }
}

void
GB_ElementGroup::clear()
{
    myMembers.clear();
    myCount = 0;
}
