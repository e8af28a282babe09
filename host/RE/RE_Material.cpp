#include "host/RE/RE_Material.h"

#include <cstdio>

RE_Material::RE_Material(const char *name)
{
    std::snprintf(myName, sizeof(myName), "%s", name ? name : "");
}

void
RE_Material::setDiffuse(float r, float g, float b)
{
    myDiffuse[0] = r;
    myDiffuse[1] = g;
    myDiffuse[2] = b;
}

void
RE_Material::setSpecular(float r, float g, float b)
{
    mySpecular[0] = r;
    mySpecular[1] = g;
    mySpecular[2] = b;
}
