#include "facade/WindowEvents.h"

#include "host/UT/UT_IFStream.h"

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
        // 0 minimises; beyond that, the sizes --size takes.
        ev.kind = UI_DesktopInput::RESIZE;
        std::string rest;
        return (in >> ev.width >> ev.height) && !(in >> rest) && ev.width >= 0 &&
               ev.height >= 0 && ev.width <= UI_DesktopWindow::theMaxSide &&
               ev.height <= UI_DesktopWindow::theMaxSide;
    }
    return false;
}

// Longer lines than any event needs, and more events than a script of
// input would hold, are refused rather than read without end.
const size_t theMaxLineLength = 256;
const size_t theMaxEvents = 1000000;
// Reads one line, keeping at most limit characters of it (the rest of a
// longer line is passed over); false at the end of the file.
bool
readLine(std::istream &in, std::string &line, size_t limit)
{
    line.clear();
    int c;
    while ((c = in.get()) != EOF && c != '\n')
        if (line.size() < limit)
            line.push_back(char(c));
    return c != EOF || !line.empty();
}
} // namespace

namespace vantrel
{
bool
readWindowEvents(const std::string &path, std::vector<UI_DesktopInput> &out, std::string &error)
{
    // Only a regular file: a FIFO or a device would block or never end.
    const std::string unreadable = UTcheckReadableFile(path.c_str());
    if (!unreadable.empty())
    {
        error = "cannot read events \"" + path + "\": it " + unreadable;
        return false;
    }
    std::ifstream file(path);
    if (!file)
    {
        error = "cannot read events \"" + path + "\"";
        return false;
    }
    std::string line;
    for (int number = 1; readLine(file, line, theMaxLineLength + 1); ++number)
    {
        const std::string where = path + ":" + std::to_string(number) + ": ";
        if (line.size() > theMaxLineLength)
        {
            error = where + "line longer than " + std::to_string(theMaxLineLength) + " characters";
            return false;
        }
        const size_t start = line.find_first_not_of(" \t\r");
        if (start == std::string::npos || line[start] == '#')
            continue;
        UI_DesktopInput ev;
        if (!parseLine(line, ev))
        {
            error = where + "bad event \"" + line + "\"";
            if (ev.kind == UI_DesktopInput::RESIZE)
                error += " (sizes from 0 to " + std::to_string(UI_DesktopWindow::theMaxSide) + ")";
            return false;
        }
        if (out.size() >= theMaxEvents)
        {
            error = where + "more than " + std::to_string(theMaxEvents) + " events";
            return false;
        }
        out.push_back(ev);
    }
    return true;
}
} // namespace vantrel
