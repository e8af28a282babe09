// Fixed-function lights.

#include "host/RE/RE_OGLRender.h"

#include "host/RE/RE_GL.h"
#include "host/RE/RE_Light.h"
#include "host/RE/RE_OGLRenderShadow.h"

#include <algorithm>

namespace
{
const int theMaxLights = 8;
}

void
RE_OGLRender::sendSpecular()
{
    const GLfloat level = myDrawing.specular ? 0.5f : 0.0f;
    const GLfloat specular[4] = {level, level, level, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 32.0f);
}

void
RE_OGLRender::toggleLighting(int on)
{
    journal("toggleLighting", {static_cast<double>(on)});
    myDrawing.lighting = on != 0;
    if (glReady())
        sendLighting();
}

void
RE_OGLRender::setSpecular(bool on)
{
    journal("setSpecular", {static_cast<double>(on)});
    myDrawing.specular = on;
    if (!glReady())
        return;
    if (!myDrawing.material.on)
    {
        // Drawers switch it on and off around every object: it goes out
        // with the next drawing, and only when it differs by then.
        if (myDefining >= 0)
            sendMaterial();
        else
            myStateBehind = true;
        return;
    }
    // Over a material the switch sets only the specular colour.
    sendSpecular();
    myGLStateFrom.reset();
    if (myDefining >= 0)
        myDefineSets |= RE_GS_MATERIAL;
    else
        myGL->known &= ~RE_GS_MATERIAL;
}

// Colours of a light; the position is sent when it is switched on, under
// the viewing matrix in force then.
void
RE_OGLRender::sendLight(const RE_Light *light, const LightSlot &slot)
{
    const GLenum id = GL_LIGHT0 + slot.slot;
    float c[4] = {light->getColor()[0], light->getColor()[1], light->getColor()[2], 1.0f};
    if (slot.normalized)
    {
        const float top = std::max(c[0], std::max(c[1], c[2]));
        if (top > 0.0f)
            for (int i = 0; i < 3; ++i)
                c[i] /= top;
    }
    const float none[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(id, GL_DIFFUSE, c);
    glLightfv(id, GL_SPECULAR, light->getFlag(RE_Light::RE_LIGHT_SPECULAR) ? c : none);
    glLightfv(id, GL_AMBIENT, light->getFlag(RE_Light::RE_LIGHT_AMBIENT) ? c : none);
    if (myDefining >= 0)
    {
        REglEnable(id, slot.on);
        myDefineSets |= RE_GS_LIGHTS;
    }
    // Elsewhere switching on and placing wait until something is drawn.
}

bool
RE_OGLRender::defineLight(RE_Light *light, bool normalized)
{
    journal("defineLight", {static_cast<double>(normalized)});
    if (!light)
        return false;
    // Deferred replays are drawn under the lights as they were.
    drawDeferred();
    auto found = myLights.find(light);
    if (found == myLights.end())
    {
        bool used[theMaxLights] = {};
        for (const auto &l : myLights)
            used[l.second.slot] = true;
        int slot = 0;
        while (slot < theMaxLights && used[slot])
            ++slot;
        if (slot == theMaxLights)
            return false;
        LightSlot s;
        s.slot = slot;
        found = myLights.emplace(light, s).first;
    }
    found->second.normalized = normalized;
    if (glReady())
        sendLight(light, found->second);
    return true;
}

bool
RE_OGLRender::isLightDefined(const RE_Light *light) const
{
    return light && myLights.count(light) != 0;
}

void
RE_OGLRender::deNormalizeLightDefinition(RE_Light *light)
{
    journal("deNormalizeLightDefinition");
    drawDeferred();
    auto found = myLights.find(light);
    if (found == myLights.end())
        return;
    found->second.normalized = false;
    if (glReady())
        sendLight(light, found->second);
}

void
RE_OGLRender::undefineLight(RE_Light *light)
{
    journal("undefineLight");
    drawDeferred();
    auto found = myLights.find(light);
    if (found == myLights.end())
        return;
    if (glReady())
        glDisable(GL_LIGHT0 + found->second.slot);
    myLights.erase(found);
}

void
RE_OGLRender::setLightState(RE_Light *light, bool on)
{
    journal("setLightState", {static_cast<double>(on)});
    if (!light)
        return;
    if (!isLightDefined(light) && !defineLight(light, false))
        return;
    LightSlot &slot = myLights[light];
    slot.on = on;
    if (on)
    {
        // The light is placed with the viewing matrix in force now.
        float *pos = slot.position;
        if (light->getFlag(RE_Light::RE_LIGHT_INFINITE))
        {
            const UT_Vector3 &d = light->getDirection();
            pos[0] = -d.x();
            pos[1] = -d.y();
            pos[2] = -d.z();
            pos[3] = 0.0f;
        }
        else
        {
            const UT_Vector3 &p = light->getPosition();
            pos[0] = p.x();
            pos[1] = p.y();
            pos[2] = p.z();
            pos[3] = 1.0f;
        }
        slot.placedUnder = myMatrix.viewing;
    }
    // Outside a definition GL gets the light when something is drawn.
    if (myDefining < 0 || !glReady())
        return;
    myDefineSets |= RE_GS_LIGHTS;
    const GLenum id = GL_LIGHT0 + slot.slot;
    if (!on)
    {
        glDisable(id);
        return;
    }
    sendGLMatrixMode(GL_MODELVIEW);
    glLightfv(id, GL_POSITION, slot.position);
    sendMatrixMode();
    glEnable(id);
}

bool
RE_OGLRender::isLightOn(const RE_Light *light) const
{
    auto found = myLights.find(light);
    return found != myLights.end() && found->second.on;
}
