// A benchmark, not a test: how long programs take from their process's creation to
// a visible dialog titled as the updater's, in alternating rounds, each ended once
// its dialog shows. It prints each program's median and its ratio to the first's
// and checks nothing.
//   startup_benchmark ROUNDS BARE.EXE PROGRAM.EXE [PROGRAM.EXE...]
// (scripts/benchmark.sh runs it under Wine, over a registry that offers one folder.)

#include "CKernelHandle.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kTitle[] = "Mise à jour de l'Orvandel";

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context)
{
    auto& search = *reinterpret_cast<Search*>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    char title[64] = "";
    if (process == search.process && ::IsWindowVisible(window) && ::GetWindowTextA(window, title, sizeof title) &&
        std::string(title) == kTitle) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds to the dialog, or a negative number when it did not show in 20 s.
double TimeToDialog(const std::string& program)
{
    LARGE_INTEGER frequency, start, now;
    ::QueryPerformanceFrequency(&frequency);
    std::string line = "\"" + program + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    ::QueryPerformanceCounter(&start);
    if (!::CreateProcessA(program.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return -1;
    const CKernelHandle process(info.hProcess), thread(info.hThread);
    double elapsed = -1;
    for (;;) {
        Search search{info.dwProcessId, nullptr};
        ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        ::QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        if (search.found) {
            elapsed = ms;
            break;
        }
        if (ms > 20000 || ::WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0)
            break;
        ::Sleep(1);
    }
    ::TerminateProcess(info.hProcess, 0);
    ::WaitForSingleObject(info.hProcess, 10000);
    return elapsed;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::printf("usage: startup_benchmark ROUNDS BARE.EXE PROGRAM.EXE [PROGRAM.EXE...]\n");
        return 2;
    }
    const int rounds = std::max(1, std::atoi(argv[1]));
    std::vector<std::string> programs(argv + 2, argv + argc);
    std::vector<std::vector<double>> times(programs.size());
    for (size_t p = 0; p < programs.size(); ++p)
        TimeToDialog(programs[p]);   // warm the system's caches for each
    for (int round = 0; round < rounds; ++round) {
        for (size_t p = 0; p < programs.size(); ++p) {
            const double ms = TimeToDialog(programs[p]);
            if (ms >= 0)
                times[p].push_back(ms);
        }
    }
    double bare = 0;
    for (size_t p = 0; p < programs.size(); ++p) {
        std::vector<double>& t = times[p];
        if (t.empty()) {
            std::printf("%-60s no dialog\n", programs[p].c_str());
            continue;
        }
        std::sort(t.begin(), t.end());
        const double median = t[t.size() / 2];
        if (p == 0)
            bare = median;
        std::printf("%-60s %8.1f ms  %5.2fx  (median of %u, %.1f to %.1f)\n", programs[p].c_str(), median,
                    bare > 0 ? median / bare : 0.0, static_cast<unsigned>(t.size()), t.front(), t.back());
    }
    return 0;
}
