#include "host/RE/RE_NativeContext.h"

RE_NativeContext *RE_NativeContext::theCurrent = nullptr;
unsigned RE_NativeContext::theStamp = 0;

RE_NativeContext::~RE_NativeContext()
{
    if (theCurrent == this)
        setCurrent(nullptr);
}
