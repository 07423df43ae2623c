#pragma once

// <windows.h> as the Windows code includes it: the lean set, and
// no min/max macros to clash with the standard library's.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
