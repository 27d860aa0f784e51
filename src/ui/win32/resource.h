// Identifiers of the resources in mensor.rc, shared by the resource script and
// the code that loads them.
#pragma once

// The application icon comes first so that the shell shows it for the .exe.
#define IDI_APP 1
// The rotate cursor's picture (custom cursor 101).
#define IDI_ROTATE 101

// Tool bar: the glyphs of the magnifier and calculator buttons (drawn by
// tools/make_glyphs.py; magenta is transparent).
#define IDB_MAGNIFIER 201
#define IDB_CALCULATOR 202
