#pragma once

#include "host/UI/UI_DesktopWindow.h"
#include "host/UT/SYS_Visibility.h"

#include <string>
#include <vector>

namespace vantrel
{
// Reads a file of input for the window, one event a line, positions in
// window pixels from the top left (as --pick counts them):
//   down X Y [left|middle|right] [shift]   press a button (left by default)
//   move X Y                               move the pointer
//   up X Y [left|middle|right]             release it
//   wheel X Y CLICKS                       turn the wheel over (X, Y)
//   key K                                  press a key: a character, "space" or "escape"
//   resize W H                             the window's new size
// Blank lines and lines starting with # are skipped. Positions stay from the
// top left: the window turns them into its own (from the lower left) with
// the height it has when the event is played. False, with the line in
// error, on a bad line.
VANTREL_API bool readWindowEvents(const std::string &path, std::vector<UI_DesktopInput> &out,
                                  std::string &error);
} // namespace vantrel
