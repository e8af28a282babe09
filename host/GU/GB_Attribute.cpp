#include "host/GU/GB_Attribute.h"

#include <algorithm>

GB_Attribute::GB_Attribute(const char *name, GB_AttribType type,
                           int tuple_size, const float *defaults,
                           int elements)
    : myName(name ? name : "")
    , myType(type)
    , myTupleSize(type == GB_ATTRIB_STRING ? 1 : std::max(1, tuple_size))
{
    myDefaults.assign(myTupleSize, 0.0f);
    if (defaults && myType == GB_ATTRIB_FLOAT)
        std::copy(defaults, defaults + myTupleSize, myDefaults.begin());
    resize(elements);
}

float
GB_Attribute::getF(int element, int component) const
{
    if (myType != GB_ATTRIB_FLOAT || element < 0 || element >= myElements ||
        component < 0 || component >= myTupleSize)
        return 0.0f;
    return myFloats[size_t(element) * myTupleSize + component];
}

void
GB_Attribute::setF(int element, int component, float value)
{
    if (myType != GB_ATTRIB_FLOAT || element < 0 || element >= myElements ||
        component < 0 || component >= myTupleSize)
        return;
    myFloats[size_t(element) * myTupleSize + component] = value;
}

void
GB_Attribute::setF(int element, const float *values)
{
    if (!values || myType != GB_ATTRIB_FLOAT || element < 0 ||
        element >= myElements)
        return;
    std::copy(values, values + myTupleSize,
              myFloats.begin() + size_t(element) * myTupleSize);
}

const char *
GB_Attribute::getString(int element) const
{
    if (myType != GB_ATTRIB_STRING || element < 0 || element >= myElements)
        return nullptr;
    int index = myStringIndex[element];
    return index < 0 ? nullptr : myStrings[index].c_str();
}

void
GB_Attribute::setString(int element, const char *value)
{
    if (myType != GB_ATTRIB_STRING || element < 0 || element >= myElements)
        return;
    if (!value)
    {
        myStringIndex[element] = -1;
        return;
    }
    auto it = std::find(myStrings.begin(), myStrings.end(), value);
    if (it == myStrings.end())
    {
        myStrings.emplace_back(value);
        it = myStrings.end() - 1;
    }
    myStringIndex[element] = int(it - myStrings.begin());
}

const char *
GB_Attribute::getTableString(int i) const
{
    if (i < 0 || i >= int(myStrings.size()))
        return nullptr;
    return myStrings[i].c_str();
}

void
GB_Attribute::resize(int n)
{
    n = std::max(0, n);
    if (myType == GB_ATTRIB_STRING)
    {
        myStringIndex.resize(n, -1);
    }
    else
    {
        myFloats.resize(size_t(n) * myTupleSize);
        for (int i = myElements; i < n; ++i)
            std::copy(myDefaults.begin(), myDefaults.end(),
                      myFloats.begin() + size_t(i) * myTupleSize);
    }
    myElements = n;
}

void
GB_Attribute::reserve(int n)
{
    if (n <= 0)
        return;
    if (myType == GB_ATTRIB_STRING)
        myStringIndex.reserve(size_t(n));
    else
        myFloats.reserve(size_t(n) * myTupleSize);
}
