#pragma once

#include <windows.h>

// A function of a system DLL that only some commands use, so the DLL (and
// what it pulls in) is loaded on first use instead of at start. Callers
// keep the result in a static; null when the system lacks it. The DLL stays
// loaded.
template <typename Function>
Function* SystemFunction(const wchar_t* dll, const char* name) {
  // From the system directory only; Windows before 7 SP1 (KB2533623) does
  // not know the flag and takes the plain search.
  HMODULE module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module && GetLastError() == ERROR_INVALID_PARAMETER) module = LoadLibraryW(dll);
  if (!module) return nullptr;
  return reinterpret_cast<Function*>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
