// Startup benchmark: starts each program RUNS times in turn and measures the
// time from CreateProcess until its first top-level window is visible and
// the program waits for input, and its working set then. Prints the medians and the first program against the last. Fails
// (exit 1) when a DLL named after --not-loaded is loaded in the first
// program by then: it belongs to a later command, not to the start.
//
// usage: startup_bench.exe RUNS PROGRAM.exe... [--not-loaded DLL...]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms = 0;
  double workingSetMb = 0;
  std::vector<std::wstring> modules;  // lower case file names
};

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
  return text;
}

std::vector<std::wstring> ModuleNames(HANDLE process) {
  HMODULE modules[512];
  DWORD bytes = 0;
  std::vector<std::wstring> names;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return names;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
    wchar_t name[MAX_PATH];
    if (GetModuleBaseNameW(process, modules[i], name, MAX_PATH)) names.push_back(Lower(name));
  }
  return names;
}

bool Measure(const std::wstring& exe, Sample& sample) {
  std::wstring command = L"\"" + exe + L"\"";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER frequency, start, now;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  Search search{pi.dwProcessId, nullptr};
  for (int i = 0; i < 20000 && !search.found; ++i) {
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&search));
    if (!search.found) {
      if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    }
  }
  if (search.found) WaitForInputIdle(pi.hProcess, 5000);
  QueryPerformanceCounter(&now);
  sample.ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(pi.hProcess, &memory, sizeof memory);
  sample.workingSetMb = static_cast<double>(memory.WorkingSetSize) / (1 << 20);
  sample.modules = ModuleNames(pi.hProcess);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return search.found != nullptr;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

std::wstring BaseName(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_bench.exe RUNS PROGRAM.exe... [--not-loaded DLL...]\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  std::vector<std::wstring> programs, notLoaded;
  bool dlls = false;
  for (int i = 2; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--not-loaded") dlls = true;
    else (dlls ? notLoaded : programs).push_back(dlls ? Lower(arg) : arg);
  }
  struct Result {
    std::vector<double> ms, workingSet;
    std::vector<std::wstring> modules;
  };
  std::vector<Result> results(programs.size());
  for (int run = 0; run < runs; ++run) {
    for (std::size_t p = 0; p < programs.size(); ++p) {
      Sample sample;
      if (!Measure(programs[p], sample)) {
        std::printf("startup: %s showed no window\n", Narrow(BaseName(programs[p])).c_str());
        return 1;
      }
      results[p].ms.push_back(sample.ms);
      results[p].workingSet.push_back(sample.workingSetMb);
      results[p].modules = sample.modules;
    }
  }
  for (std::size_t p = 0; p < programs.size(); ++p) {
    std::printf("startup: %-22s window shown after %4.0f ms, working set %5.1f MB, %zu modules (median of %d)\n",
                Narrow(BaseName(programs[p])).c_str(), Median(results[p].ms), Median(results[p].workingSet),
                results[p].modules.size(), runs);
  }
  if (programs.size() > 1) {
    const Result& first = results.front();
    const Result& last = results.back();
    std::printf("startup: %s against %s: %.2f x the time, %+.1f MB working set\n",
                Narrow(BaseName(programs.front())).c_str(), Narrow(BaseName(programs.back())).c_str(),
                Median(first.ms) / Median(last.ms), Median(first.workingSet) - Median(last.workingSet));
    std::string extra;
    for (const std::wstring& m : first.modules) {
      if (std::find(last.modules.begin(), last.modules.end(), m) == last.modules.end()) extra += " " + Narrow(m);
    }
    std::printf("startup: loaded beyond the bare window:%s\n", extra.c_str());
  }
  int failures = 0;
  for (const std::wstring& dll : notLoaded) {
    const auto& loaded = results.front().modules;
    if (std::find(loaded.begin(), loaded.end(), dll) != loaded.end()) {
      std::printf("startup: FAIL: %s is loaded at start\n", Narrow(dll).c_str());
      ++failures;
    }
  }
  return failures ? 1 : 0;
}
