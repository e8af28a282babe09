#ifndef GB_ElementGroup_h
#define GB_ElementGroup_h

#include "host/UT/SYS_Visibility.h"

#include <string>
#include <vector>

// A named set of element indices, kept as one byte per element so that
// membership tests in drawing loops are a single load. The byte array
// grows on demand: indices past its end are simply not members.
class VANTREL_API GB_ElementGroup
{
public:
    explicit GB_ElementGroup(const char *name = "") : myName(name ? name : "") {}

    const char *getName() const { return myName.c_str(); }
    bool contains(int index) const
    {
        return index >= 0 && index < int(myMembers.size()) && myMembers[index];
    }
    // Negative indices are ignored.
    void add(int index);
    // Number of members.
    int entries() const { return myCount; }
    bool isEmpty() const { return myCount == 0; }

private:
    std::string myName;
    std::vector<unsigned char> myMembers;
    int myCount = 0;
};

#endif
