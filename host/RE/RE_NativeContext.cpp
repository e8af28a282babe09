#include "host/RE/RE_NativeContext.h"

RE_NativeContext *RE_NativeContext::theCurrent = nullptr;

RE_NativeContext::~RE_NativeContext()
{
    if (theCurrent == this)
        theCurrent = nullptr;
}
