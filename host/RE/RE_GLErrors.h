#pragma once

// The errors GL has flagged since the last call, drained so that the next
// call starts clean: 0 when there were none or no GL context is current,
// else the first error code. Tests call it after drawing to prove that no
// operation left an error behind.
unsigned int REtakeGLErrors();
