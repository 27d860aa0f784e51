// Library loading and program paths restricted to the system folder.
#include "ui/win32/system_folder.h"

#include "ui/win32/dpi.h"

namespace mensor::win32 {

void KeepLibrarySearchInSystemFolder() {
  // NOTE: SetDefaultDllDirectories is looked up at run time: Windows 7
  // without update KB2533623 lacks it, and the program must start there too
  // (LoadSystemLibrary then still names the system folder itself).
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto set_default_dll_directories = ModuleFunction<SetDefaultDllDirectoriesFn>(
      GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (set_default_dll_directories != nullptr) set_default_dll_directories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (HMODULE module = LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
  // NOTE: where the flag is unknown (Windows 7 without KB2533623) the call
  // fails with ERROR_INVALID_PARAMETER; a full path then loads the system
  // folder's file and no other.
  if (GetLastError() != ERROR_INVALID_PARAMETER) return nullptr;
  const std::wstring path = SystemFolderPath(name);
  return path.empty() ? nullptr : LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

std::wstring SystemFolderPath(const std::wstring& name) {
  std::wstring folder(MAX_PATH, L'\0');
  UINT n = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  if (n >= folder.size()) {
    // Too small: n is the size needed, the terminating NUL included.
    folder.resize(n);
    n = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
  }
  if (n == 0 || n >= folder.size()) return std::wstring();
  folder.resize(n);
  if (folder.back() != L'\\') folder += L'\\';
  return folder + name;
}

}  // namespace mensor::win32
