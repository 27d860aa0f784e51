// The system folder as the only source of libraries and system programs.
// A portable program is often unpacked into a folder where other files land
// unasked (Downloads); nothing lying there may be loaded or started in place
// of the system's own file of that name.
#pragma once

#include <string>

#include "ui/win32/win32.h"

namespace mensor::win32 {

// Restricts the search for libraries that the process loads by name, its
// own and the system's on its behalf, to the system folder. Called first
// thing in the program.
void KeepLibrarySearchInSystemFolder();

// A library of the system folder, loaded by its file name; null when it is
// not there.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The full path of a file in the system folder; empty when the system does
// not tell its folder.
std::wstring SystemFolderPath(const std::wstring& name);

}  // namespace mensor::win32
