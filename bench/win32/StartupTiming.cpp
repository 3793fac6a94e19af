// Start-up of Vimo.exe against a minimal tray program, in the same run: the time from
// process creation until its message loop waits for input (the tray icon is added
// before that), and the private memory at that point. Run inside a Wine virtual
// desktop so that a notification area exists.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Sample {
  double ms;
  double privateMb;
  double workingSetMb;
};

std::string Beside(const char* name) {
  char buf[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  std::string self(buf, n);
  return self.substr(0, self.find_last_of('\\') + 1) + name;
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

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 9;
  std::string vimo = Beside("Vimo.exe"), minimal = Beside("bench_MinimalTray.exe");
  std::vector<double> vimoMs, vimoMb, minMs, minMb, vimoWs, minWs;
  Sample s{};
  Measure(vimo, s);  // warm the file cache and create the settings key
  Measure(minimal, s);
  for (int i = 0; i < runs; ++i) {
    // Alternate, so that both see the same state of the machine.
    if (Measure(vimo, s)) {
      vimoMs.push_back(s.ms);
      vimoMb.push_back(s.privateMb);
      vimoWs.push_back(s.workingSetMb);
    }
    if (Measure(minimal, s)) {
      minMs.push_back(s.ms);
      minMb.push_back(s.privateMb);
      minWs.push_back(s.workingSetMb);
    }
  }
  if (vimoMs.empty() || minMs.empty()) {
    std::printf("a program did not reach its message loop\n");
    return 1;
  }
  std::printf("start-up to an idle message loop with the tray icon added (median of %d)\n", runs);
  std::printf("  Vimo.exe       %8.1f ms   private %6.2f MB   working set %6.2f MB\n", Median(vimoMs),
              Median(vimoMb), Median(vimoWs));
  std::printf("  minimal tray   %8.1f ms   private %6.2f MB   working set %6.2f MB\n", Median(minMs), Median(minMb),
              Median(minWs));
  std::printf("  ratio          %8.2f x               %6.2f x                  %6.2f x\n",
              Median(vimoMs) / Median(minMs), Median(vimoMb) / Median(minMb), Median(vimoWs) / Median(minWs));
  return 0;
}
