#pragma once

#include "host/RE/RE_FrameStats.h"
#include "host/UT/SYS_Visibility.h"

#include <string>
#include <vector>

class RE_Render;

namespace vantrel
{
// The lines of the frame statistics overlay: objects, cached replays,
// triangles and milliseconds.
VANTREL_API std::vector<std::string> statsLines(const RE_FrameStats &stats, size_t objects);

// Draws lines of text over a dark panel in the top left corner of the
// finished w x h frame, above everything and without depth, leaving the
// render context's state as it was.
VANTREL_API void drawOverlay(RE_Render *r, int w, int h, const std::vector<std::string> &lines);
} // namespace vantrel
