/* Stands in for the disc's installer in the hand-off tests. It writes what it was
   started with into the file named by MJ_CHILD_RECORD, one field per line: its
   command line, its current directory, its process id, its main thread id, and
   the dwFlags and wShowWindow of its start-up information. Then it sleeps for
   MJ_CHILD_SLEEP_MS milliseconds (0 when unset) and exits with code 7. Both come
   from the environment so that the command line stays exactly as the test gave it. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(void)
{
    char recordPath[MAX_PATH] = "";
    char sleepText[32] = "";
    char directory[MAX_PATH] = "";
    STARTUPINFOA startup;

    GetStartupInfoA(&startup);
    GetCurrentDirectoryA(MAX_PATH, directory);
    if (GetEnvironmentVariableA("MJ_CHILD_RECORD", recordPath, MAX_PATH) > 0) {
        const char* line = GetCommandLineA();
        char numbers[128];
        DWORD written = 0;
        HANDLE file = CreateFileA(recordPath, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            snprintf(numbers, sizeof numbers, "\n%lu\n%lu\n%lu\n%u\n", GetCurrentProcessId(), GetCurrentThreadId(),
                     startup.dwFlags, (unsigned)startup.wShowWindow);
            WriteFile(file, line, (DWORD)strlen(line), &written, NULL);
            WriteFile(file, "\n", 1, &written, NULL);
            WriteFile(file, directory, (DWORD)strlen(directory), &written, NULL);
            WriteFile(file, numbers, (DWORD)strlen(numbers), &written, NULL);
            CloseHandle(file);
        }
    }
    if (GetEnvironmentVariableA("MJ_CHILD_SLEEP_MS", sleepText, sizeof sleepText) > 0)
        Sleep((DWORD)strtoul(sleepText, NULL, 10));
    return 7;
}
