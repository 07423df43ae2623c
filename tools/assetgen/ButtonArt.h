#pragma once

#include "Canvas.h"

// A menu button: a framed face with its label. Lit, it is the same button
// under the pointer: a lighter face in a gold frame.
void DrawButton(Canvas& c, const char* label, Canvas::Colour face, bool lit);
