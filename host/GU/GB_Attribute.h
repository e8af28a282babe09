#ifndef GB_Attribute_h
#define GB_Attribute_h

#include "host/UT/SYS_Visibility.h"

#include <string>
#include <vector>

// Which elements of a geometry an attribute belongs to.
enum GB_AttribOwner
{
    GB_ATTRIB_POINT = 0,
    GB_ATTRIB_VERTEX = 1,
    GB_ATTRIB_PRIMITIVE = 2,
    GB_ATTRIB_DETAIL = 3
};
constexpr int GB_NUM_ATTRIB_OWNERS = 4;

// What an attribute stores. Codes 1 to 3 are kept free so that stored
// type codes stay stable if integer or index kinds are added later.
enum GB_AttribType
{
    GB_ATTRIB_FLOAT = 0,
    GB_ATTRIB_STRING = 4
};

// One named attribute: a float tuple per element, or a string per element
// held as an index into a table of distinct strings (so that many elements
// naming the same thing cost one int each).
class VANTREL_API GB_Attribute
{
public:
    GB_Attribute(const char *name, GB_AttribType type, int tuple_size,
                 const float *defaults, int elements);

    const char *getName() const { return myName.c_str(); }
    GB_AttribType getType() const { return myType; }
    bool isFloat() const { return myType == GB_ATTRIB_FLOAT; }
    bool isString() const { return myType == GB_ATTRIB_STRING; }
    // Floats per element; 1 for strings.
    int getTupleSize() const { return myTupleSize; }
    int getNumElements() const { return myElements; }

    // Float access. Out-of-range element or component reads give 0 and
    // writes are ignored.
    float getF(int element, int component = 0) const;
    void setF(int element, int component, float value);
    void setF(int element, const float *values);
    const float *getFloatData() const { return myFloats.data(); }
    float *getFloatData() { return myFloats.data(); }

    // String access. An element without a string gives null.
    const char *getString(int element) const;
    void setString(int element, const char *value);
    int getNumStrings() const { return int(myStrings.size()); }
    // The distinct strings in the order they were first set.
    const char *getTableString(int i) const;

    // Grows or shrinks to n elements; new elements take the defaults.
    void resize(int n);
    // Makes room for n elements without changing the count.
    void reserve(int n);

private:
    std::string myName;
    GB_AttribType myType;
    int myTupleSize;
    int myElements = 0;
    std::vector<float> myDefaults;
    std::vector<float> myFloats;
    std::vector<std::string> myStrings;
    std::vector<int> myStringIndex;
};

#endif
