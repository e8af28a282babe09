#include "host/GU/GB_AttributeDict.h"

#include <cstring>

GB_AttributeDict::GB_AttributeDict(const GB_AttributeDict &other)
    : myElements(other.myElements)
{
    for (const auto &attrib : other.myAttribs)
        myAttribs.push_back(std::make_unique<GB_Attribute>(*attrib));
}

GB_AttributeDict &
GB_AttributeDict::operator=(const GB_AttributeDict &other)
{
    if (this != &other)
    {
        GB_AttributeDict copy(other);
        myElements = copy.myElements;
        myAttribs.swap(copy.myAttribs);
    }
    return *this;
}

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

bool
GB_AttributeDict::destroy(const char *name)
{
    int index = findIndex(name);
    if (index < 0)
        return false;
    myAttribs.erase(myAttribs.begin() + index);
    return true;
}

void
GB_AttributeDict::resize(int elements)
{
    myElements = elements < 0 ? 0 : elements;
    for (auto &attrib : myAttribs)
        attrib->resize(myElements);
}

void
GB_AttributeDict::clear()
{
    myAttribs.clear();
    myElements = 0;
}
