// The Windows headers for this folder, included through here only.
// NOTE: windows.h turns some names into A/W macros that the core uses for its
// own members (Canvas::TextOut, Platform::ReplaceFile); they are undefined so
// that those declarations mean the same in every translation unit. This layer
// calls the W functions by their full names.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#undef TextOut
#undef ReplaceFile
