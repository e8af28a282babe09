#include "host/RE/RE_NativeContext.h"

#include <algorithm>
#include <vector>

RE_NativeContext *RE_NativeContext::theCurrent = nullptr;
unsigned RE_NativeContext::theStamp = 0;

namespace
{
std::vector<const RE_NativeContext *> &
liveContexts()
{
    // Never destroyed: contexts held in other statics may go after it.
    static auto *theLive = new std::vector<const RE_NativeContext *>;
    return *theLive;
}
}

RE_NativeContext::RE_NativeContext()
{
    liveContexts().push_back(this);
}

RE_NativeContext::~RE_NativeContext()
{
    std::vector<const RE_NativeContext *> &live = liveContexts();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    if (theCurrent == this)
        setCurrent(nullptr);
}

bool
RE_NativeContext::isLive(const RE_NativeContext *ctx)
{
    const std::vector<const RE_NativeContext *> &live = liveContexts();
    return ctx && std::find(live.begin(), live.end(), ctx) != live.end();
}
