#ifndef GB_AttributeDict_h
#define GB_AttributeDict_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GB_Attribute.h"

#include <memory>
#include <vector>

// The attributes of one kind of element (points, vertices, primitives or
// the detail). Attributes keep their index until the dictionary is
// cleared, so drawers may look an attribute up once and address it by
// index.
class VANTREL_API GB_AttributeDict
{
public:
    explicit GB_AttributeDict(int elements = 0) : myElements(elements) {}

    int entries() const { return int(myAttribs.size()); }
    const GB_Attribute *get(int index) const;
    GB_Attribute *get(int index);

    // Finds an attribute by name; type -1 accepts any type, otherwise the
    // attribute must have that GB_AttribType code.
    const GB_Attribute *find(const char *name, int type = -1) const;
    GB_Attribute *find(const char *name, int type = -1);
    int findIndex(const char *name, int type = -1) const;

    // Adds an attribute, or returns the existing one of that name when its
    // type and tuple size match. A same-named attribute of another shape
    // is replaced. Returns null for an empty name.
    GB_Attribute *add(const char *name, GB_AttribType type, int tuple_size,
                      const float *defaults = nullptr);

    int getNumElements() const { return myElements; }
    void resize(int elements);
    // Makes room in every attribute for that many elements.
    void reserve(int elements);
    void clear();

private:
    int myElements;
    std::vector<std::unique_ptr<GB_Attribute>> myAttribs;
};

#endif
