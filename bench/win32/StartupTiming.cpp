// Start-up of Vimo.exe against a minimal tray program, in the same run: the time from
// process creation until its message loop waits for input (the tray icon is added
// before that), and the private memory at that point. Run inside a Wine virtual
// desktop so that a notification area exists.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms;
  double privateMb;
  double workingSetMb;
  double cpuMs;  // user and kernel time of the process: less disturbed by a busy machine
  std::string mapped;  // which of the common controls and dialogs the process had mapped
};

std::string Beside(const char* name) {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string self(buf, n);
  return self.substr(0, self.find_last_of('\\') + 1) + name;
}

// Which of the wanted modules (lower-case file names) the process has mapped, or "neither".
std::string Mapped(HANDLE process, std::initializer_list<const char*> wanted) {
  HMODULE modules[512];
  DWORD bytes = 0;
  std::string found;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return "(unreadable)";
  for (DWORD i = 0; i < bytes / sizeof(HMODULE) && i < 512; ++i) {
    char name[MAX_PATH] = {};
    if (!GetModuleBaseNameA(process, modules[i], name, MAX_PATH)) continue;
    for (char* c = name; *c; ++c) *c = static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    for (const char* w : wanted)
      if (std::strcmp(name, w) == 0) found += std::string(found.empty() ? "" : " ") + name;
  }
  return found.empty() ? "neither" : found;
}

bool Measure(const std::string& exe, Sample& out) {
  std::string cmd = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER freq, a, b;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&a);
  if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  bool idle = WaitForInputIdle(pi.hProcess, 20000) == 0;
  QueryPerformanceCounter(&b);
  PROCESS_MEMORY_COUNTERS_EX mem{};
  mem.cb = sizeof mem;
  GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof mem);
  out.mapped = Mapped(pi.hProcess, {"comctl32.dll", "comdlg32.dll"});
  FILETIME created, ended, kernel, user;
  out.cpuMs = 0;
  if (GetProcessTimes(pi.hProcess, &created, &ended, &kernel, &user)) {
    auto ticks = [](const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    out.cpuMs = static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
  }
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 10000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  out.ms = 1000.0 * static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(freq.QuadPart);
  // Wine leaves PrivateUsage at 0 for other processes; the page-file figure is the
  // same private commit charge there.
  SIZE_T privateBytes = mem.PrivateUsage ? mem.PrivateUsage : mem.PagefileUsage;
  out.privateMb = static_cast<double>(privateBytes) / (1024.0 * 1024.0);
  out.workingSetMb = static_cast<double>(mem.WorkingSetSize) / (1024.0 * 1024.0);
  return idle;
}

// Median and range of a set of figures.
struct Spread {
  double median, low, high;
};

Spread SpreadOf(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v[v.size() / 2], v.front(), v.back()};
}

// "median unit (low-high)" in a column of fixed width.
std::string Figure(const Spread& f, const char* unit) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2f %s (%.2f-%.2f)", f.median, unit, f.low, f.high);
  return text;
}

void PrintRow(const char* what, const char* unit, const std::vector<double>& vimo, const std::vector<double>& minimal,
              double goal) {
  std::vector<double> ratio;
  for (std::size_t i = 0; i < vimo.size(); ++i) ratio.push_back(vimo[i] / minimal[i]);
  std::printf("  %-15s %-26s %-26s %-22s", what, Figure(SpreadOf(vimo), unit).c_str(),
              Figure(SpreadOf(minimal), unit).c_str(), Figure(SpreadOf(ratio), "x").c_str());
  if (goal > 0) std::printf(" goal <= %.2f x", goal);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 9;
  std::string vimo = Beside("Vimo.exe"), minimal = Beside("bench_MinimalTray.exe");
  // Each run measures both programs, taking turns at going first, so that every ratio
  // compares two starts made under the same state of the machine.
  std::vector<double> vimoMs, vimoMb, vimoWs, vimoCpu, minMs, minMb, minWs, minCpu;
  Sample s{}, t{};
  Measure(vimo, s);  // warm the file cache and create the settings key
  Measure(minimal, s);
  for (int i = 0; i < runs; ++i) {
    bool vimoFirst = i % 2 == 0;
    bool ok = vimoFirst ? Measure(vimo, s) && Measure(minimal, t) : Measure(minimal, t) && Measure(vimo, s);
    if (!ok) continue;
    vimoMs.push_back(s.ms);
    vimoMb.push_back(s.privateMb);
    vimoWs.push_back(s.workingSetMb);
    vimoCpu.push_back(s.cpuMs);
    minCpu.push_back(t.cpuMs);
    minMs.push_back(t.ms);
    minMb.push_back(t.privateMb);
    minWs.push_back(t.workingSetMb);
  }
  if (vimoMs.empty()) {
    std::printf("a program did not reach its message loop\n");
    return 1;
  }
  std::printf("start-up to an idle message loop with the tray icon added: %zu alternating runs\n", vimoMs.size());
  std::printf("  %-15s %-26s %-26s %-22s\n", "", "Vimo.exe (range)", "minimal tray (range)", "ratio in each run");
  PrintRow("time", "ms", vimoMs, minMs, 1.15);
  PrintRow("processor time", "ms", vimoCpu, minCpu, 0);
  PrintRow("private memory", "MB", vimoMb, minMb, 1.15);
  PrintRow("working set", "MB", vimoWs, minWs, 1.15);
  std::printf("  mapped at start-up of comctl32.dll and comdlg32.dll: %s\n", s.mapped.c_str());

  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (GetFileAttributesExA(vimo.c_str(), GetFileExInfoStandard, &file)) {
    const double goal = 800.0 * 1024.0;
    std::printf("Vimo.exe size: %lu bytes, %.2f x the goal of 800 KB\n", file.nFileSizeLow,
                static_cast<double>(file.nFileSizeLow) / goal);
  }
  return 0;
}
