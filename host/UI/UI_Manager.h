#ifndef UI_Manager_h
#define UI_Manager_h

#include "host/UI/UI_Value.h"

#include <map>
#include <memory>
#include <string>

// The toolkit's manager: the process's table of named values. "TIME" (the
// current time in seconds, 0 at start) always exists; the application
// moves it.
class UI_Manager
{
public:
    // The process's manager, made on first use.
    static UI_Manager *getManager();

    // The value called name; with create non-zero a missing one is made
    // (value 0), otherwise a missing one gives null, as does a null name.
    UI_Value *getValueSymbol(const char *name, int create);

private:
    UI_Manager();

    std::map<std::string, std::unique_ptr<UI_Value>> myValues;
};

#endif
