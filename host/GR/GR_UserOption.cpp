#include "host/GR/GR_UserOption.h"

#include <memory>
#include <vector>

namespace
{
std::vector<std::unique_ptr<GR_UserOption>> &
registry()
{
    static std::vector<std::unique_ptr<GR_UserOption>> theOptions;
    return theOptions;
}
} // namespace

int
GR_UserOption::define(const char *name)
{
    if (!name || !*name)
        return -1;
    int existing = find(name);
    if (existing >= 0)
        return existing;
    registry().emplace_back(new GR_UserOption(name));
    return (int)registry().size() - 1;
}

int
GR_UserOption::find(const char *name)
{
    if (!name)
        return -1;
    const auto &options = registry();
    for (size_t i = 0; i < options.size(); i++)
        if (options[i]->myName == name)
            return (int)i;
    return -1;
}

GR_UserOption *
GR_UserOption::get(int index)
{
    if (index < 0 || index >= getNumOptions())
        return nullptr;
    return registry()[index].get();
}

int
GR_UserOption::getNumOptions()
{
    return (int)registry().size();
}

bool
GR_UserOption::remove(int index)
{
    if (index < 0 || index >= getNumOptions())
        return false;
    registry().erase(registry().begin() + index);
    return true;
}
