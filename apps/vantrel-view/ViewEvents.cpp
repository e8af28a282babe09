#include "apps/vantrel-view/ViewEvents.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace
{
bool
readButton(std::istream &in, UI_DesktopInput &ev)
{
    std::string word;
    while (in >> word)
    {
        if (word == "left")
            ev.button = UI_DesktopInput::LEFT;
        else if (word == "middle")
            ev.button = UI_DesktopInput::MIDDLE;
        else if (word == "right")
            ev.button = UI_DesktopInput::RIGHT;
        else if (word == "shift")
            ev.modifiers |= UI_DesktopInput::SHIFT;
        else
            return false;
    }
    return true;
}

bool
readPosition(std::istream &in, UI_DesktopInput &ev)
{
    return (in >> ev.x >> ev.y) && std::isfinite(ev.x) && std::isfinite(ev.y);
}

bool
parseLine(const std::string &line, UI_DesktopInput &ev)
{
    std::istringstream in(line);
    in.imbue(std::locale::classic());
    std::string what;
    in >> what;
    if (what == "down" || what == "up")
    {
        ev.kind = what == "down" ? UI_DesktopInput::MOUSE_DOWN : UI_DesktopInput::MOUSE_UP;
        return readPosition(in, ev) && readButton(in, ev);
    }
    if (what == "move")
    {
        ev.kind = UI_DesktopInput::MOUSE_MOVE;
        std::string rest;
        return readPosition(in, ev) && !(in >> rest);
    }
    if (what == "wheel")
    {
        ev.kind = UI_DesktopInput::WHEEL;
        return readPosition(in, ev) && (in >> ev.wheel) && std::isfinite(ev.wheel);
    }
    if (what == "key")
    {
        ev.kind = UI_DesktopInput::KEY;
        std::string k;
        if (!(in >> k))
            return false;
        if (k == "space")
            ev.key = ' ';
        else if (k == "escape")
            ev.key = UI_DesktopInput::KEY_ESCAPE;
        else if (k.size() == 1)
            ev.key = k[0] >= 'A' && k[0] <= 'Z' ? k[0] - 'A' + 'a' : k[0];
        else
            return false;
        return true;
    }
    if (what == "resize")
    {
        ev.kind = UI_DesktopInput::RESIZE;
        return (in >> ev.width >> ev.height) && ev.width >= 0 && ev.height >= 0;
    }
    return false;
}
} // namespace

bool
readViewEvents(const std::string &path, std::vector<UI_DesktopInput> &out, std::string &error)
{
    std::ifstream file(path);
    if (!file)
    {
        error = "cannot read events \"" + path + "\"";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(file, line); ++number)
    {
        const size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#')
            continue;
        UI_DesktopInput ev;
        if (!parseLine(line, ev))
        {
            error = path + ":" + std::to_string(number) + ": bad event \"" + line + "\"";
            return false;
        }
        out.push_back(ev);
    }
    return true;
}
