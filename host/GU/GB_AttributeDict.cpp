#include "host/GU/GB_AttributeDict.h"

#include <cstring>

const GB_Attribute *
GB_AttributeDict::get(int index) const
{
    if (index < 0 || index >= int(myAttribs.size()))
        return nullptr;
    return myAttribs[index].get();
}

GB_Attribute *
GB_AttributeDict::get(int index)
{
    if (index < 0 || index >= int(myAttribs.size()))
        return nullptr;
    return myAttribs[index].get();
}

int
GB_AttributeDict::findIndex(const char *name, int type) const
{
    if (!name)
        return -1;
    for (int i = 0; i < int(myAttribs.size()); ++i)
    {
        const GB_Attribute &attrib = *myAttribs[i];
        if (std::strcmp(attrib.getName(), name) == 0 &&
            (type < 0 || int(attrib.getType()) == type))
            return i;
    }
    return -1;
}

const GB_Attribute *
GB_AttributeDict::find(const char *name, int type) const
{
    return get(findIndex(name, type));
}

GB_Attribute *
GB_AttributeDict::find(const char *name, int type)
{
    return get(findIndex(name, type));
}

GB_Attribute *
GB_AttributeDict::add(const char *name, GB_AttribType type, int tuple_size,
                      const float *defaults)
{
    if (!name || !*name)
        return nullptr;
    int index = findIndex(name);
    if (index >= 0)
    {
        GB_Attribute *existing = myAttribs[index].get();
        if (existing->getType() == type &&
            (type == GB_ATTRIB_STRING ||
             existing->getTupleSize() == tuple_size))
            return existing;
        myAttribs[index] = std::make_unique<GB_Attribute>(
            name, type, tuple_size, defaults, myElements);
        return myAttribs[index].get();
    }
    myAttribs.push_back(std::make_unique<GB_Attribute>(
        name, type, tuple_size, defaults, myElements));
    return myAttribs.back().get();
}

void
GB_AttributeDict::resize(int elements)
{
    myElements = elements < 0 ? 0 : elements;
    for (auto &attrib : myAttribs)
        attrib->resize(myElements);
}

void
GB_AttributeDict::reserve(int elements)
{
    for (auto &attrib : myAttribs)
        attrib->reserve(elements);
}

void
GB_AttributeDict::clear()
{
    myAttribs.clear();
    myElements = 0;
}
