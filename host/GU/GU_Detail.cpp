#include "host/GU/GU_Detail.h"

GU_Detail::GU_Detail() = default;

GU_Detail::~GU_Detail() = default;

void
GU_Detail::clearAndDestroy()
{
    GEO_Detail::clearAndDestroy();
    mySelection.reset();
    mySelectionLists.clear();
}

GU_Selection *
GU_Detail::newSelection(GU_SelectionType type)
{
    mySelection = std::make_unique<GU_Selection>(type);
    bumpChangeCount();
    return mySelection.get();
}

void
GU_Detail::clearSelection()
{
    if (!mySelection)
        return;
    mySelection.reset();
    bumpChangeCount();
}

const GU_SelectionList &
GU_Detail::getSelectionList(int n) const
{
    static const GU_SelectionList theEmptyList;
    if (n < 0 || n >= int(mySelectionLists.size()))
        return theEmptyList;
    return mySelectionLists[size_t(n)];
}

GU_SelectionList *
GU_Detail::editSelectionList(int n)
{
    if (n < 0)
        return nullptr;
    if (n >= int(mySelectionLists.size()))
        mySelectionLists.resize(size_t(n) + 1);
    bumpChangeCount();
    return &mySelectionLists[size_t(n)];
}
