// Identifiers of the resources in mensor.rc, shared by the resource script and
// the code that loads them.
#pragma once

// The application icon comes first so that the shell shows it for the .exe.
#define IDI_APP 1
// The rotate cursor's picture (custom cursor 101).
#define IDI_ROTATE 101

// The preferences dialog's page pictures.
#define IDI_PAGE_SYSTEM 201
#define IDI_PAGE_APPEARANCE 202
#define IDI_PAGE_CUSTOM 203
#define IDI_PAGE_HOTKEY 204
