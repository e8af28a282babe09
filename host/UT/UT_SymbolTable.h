#pragma once

#include "host/UT/UT_Thing.h"

#include <string>
#include <unordered_map>

// Maps names (case-sensitive, whole strings) to values.
class UT_SymbolTable
{
public:
    // Adds or replaces name's value. A null name is ignored.
    void addSymbol(const char *name, UT_Thing value)
    {
        if (name)
            myTable[name] = value;
    }
    // 1 and *value set when found (value may be null); 0 otherwise.
    int findSymbol(const char *name, UT_Thing *value) const
    {
        if (!name)
            return 0;
        auto it = myTable.find(name);
        if (it == myTable.end())
            return 0;
        if (value)
            *value = it->second;
        return 1;
    }
    // 1 when name was present.
    int deleteSymbol(const char *name) { return name ? int(myTable.erase(name)) : 0; }
    int entries() const { return int(myTable.size()); }
    void clear() { myTable.clear(); }

private:
    std::unordered_map<std::string, UT_Thing> myTable;
};
