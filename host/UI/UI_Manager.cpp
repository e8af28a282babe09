#include "host/UI/UI_Manager.h"

UI_Manager::UI_Manager()
{
    myValues["TIME"] = std::make_unique<UI_Value>(0.0);
}

UI_Manager *
UI_Manager::getManager()
{
    static UI_Manager theManager;
    return &theManager;
}

UI_Value *
UI_Manager::getValueSymbol(const char *name, int create)
{
    if (!name)
        return nullptr;
    auto found = myValues.find(name);
    if (found != myValues.end())
        return found->second.get();
    if (!create)
        return nullptr;
    return (myValues[name] = std::make_unique<UI_Value>(0.0)).get();
}
