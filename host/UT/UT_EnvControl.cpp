#include "host/UT/UT_EnvControl.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <mutex>
#include <string>

namespace
{
struct EnvValue
{
    bool set = false;
    std::string text;
};

std::mutex theEnvLock;

std::map<std::string, EnvValue> &
envCache()
{
    static std::map<std::string, EnvValue> theCache;
    return theCache;
}

// The remembered value of name, reading the environment the first time.
const EnvValue *
lookup(const char *name)
{
    if (!name || !*name)
        return nullptr;
    auto &cache = envCache();
    auto it = cache.find(name);
    if (it == cache.end())
    {
        EnvValue v;
        if (const char *s = std::getenv(name))
        {
            v.set = true;
            v.text = s;
        }
        it = cache.emplace(name, v).first;
    }
    return &it->second;
}
} // namespace

int
UT_EnvControl::getInt(const char *name, int defval)
{
    std::lock_guard<std::mutex> lock(theEnvLock);
    const EnvValue *v = lookup(name);
    if (!v || !v->set)
        return defval;
    errno = 0;
    char *end = nullptr;
    long n = std::strtol(v->text.c_str(), &end, 10);
    if (end == v->text.c_str() || errno || n < std::numeric_limits<int>::min() ||
        n > std::numeric_limits<int>::max())
        return defval;
    return int(n);
}

float
UT_EnvControl::getFloat(const char *name, float defval)
{
    std::lock_guard<std::mutex> lock(theEnvLock);
    const EnvValue *v = lookup(name);
    if (!v || !v->set)
        return defval;
    char *end = nullptr;
    double d = std::strtod(v->text.c_str(), &end);
    if (end == v->text.c_str())
        return defval;
    return float(d);
}

float
UT_EnvControl::readFloat(const char *name, float defval)
{
    {
        std::lock_guard<std::mutex> lock(theEnvLock);
        if (name)
            envCache().erase(name);
    }
    return getFloat(name, defval);
}

const char *
UT_EnvControl::getString(const char *name, const char *defval)
{
    std::lock_guard<std::mutex> lock(theEnvLock);
    const EnvValue *v = lookup(name);
    return (v && v->set) ? v->text.c_str() : defval;
}

bool
UT_EnvControl::isSet(const char *name)
{
    std::lock_guard<std::mutex> lock(theEnvLock);
    const EnvValue *v = lookup(name);
    return v && v->set;
}

void
UT_EnvControl::refresh()
{
    std::lock_guard<std::mutex> lock(theEnvLock);
    envCache().clear();
}
