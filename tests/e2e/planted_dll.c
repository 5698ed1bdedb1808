/* A DLL left beside a program under the name of a system DLL that is not one of the
   system's known DLLs: when it is loaded, it appends its own path and a line feed to
   the file named by MJ_PLANTED_LOG. It exports nothing. */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID reserved)
{
    char log[MAX_PATH] = "";
    char path[MAX_PATH] = "";
    DWORD length, written;
    HANDLE file;
    (void)reserved;
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    length = GetEnvironmentVariableA("MJ_PLANTED_LOG", log, sizeof log);
    if (length == 0 || length >= sizeof log)
        return TRUE;
    file = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return TRUE;
    length = GetModuleFileNameA(self, path, sizeof path);
    WriteFile(file, path, length, &written, NULL);
    WriteFile(file, "\n", 1, &written, NULL);
    CloseHandle(file);
    return TRUE;
}
