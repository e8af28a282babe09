#include "host/RE/RE_Shader.h"

#include <map>

namespace
{
std::map<int, RE_Shader *> &
shaderTable()
{
    // Never destroyed: shaders held in other statics may go after it.
    static std::map<int, RE_Shader *> *theTable = new std::map<int, RE_Shader *>;
    return *theTable;
}

int theNextShaderId = 1;
}

RE_Shader::RE_Shader(const char *name)
    : myId(theNextShaderId++), myName(name ? name : "")
{
    shaderTable()[myId] = this;
}

RE_Shader::~RE_Shader()
{
    shaderTable().erase(myId);
}

RE_Shader *
RE_Shader::getShader(int id)
{
    auto found = shaderTable().find(id);
    return found == shaderTable().end() ? nullptr : found->second;
}
