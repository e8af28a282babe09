#ifndef GU_SelectionList_h
#define GU_SelectionList_h

#include "host/UT/SYS_Visibility.h"

#include "host/GU/GU_Selection.h"

#include <memory>
#include <vector>

// A numbered list of selections kept by a geometry; entries may be null
// (a slot reserved for a selection that holds nothing yet).
class VANTREL_API GU_SelectionList
{
public:
    int entries() const { return int(mySelections.size()); }
    // The selection at i, or null when i is out of range or the entry is
    // empty.
    const GU_Selection *operator()(int i) const
    {
        return i < 0 || i >= entries() ? nullptr : mySelections[size_t(i)].get();
    }
    // Appends a selection (null for an empty entry); returns its index.
    int append(std::unique_ptr<GU_Selection> selection)
    {
        mySelections.push_back(std::move(selection));
        return entries() - 1;
    }

private:
    std::vector<std::unique_ptr<GU_Selection>> mySelections;
};

#endif
