/* The arguments a windows-subsystem program gets from the C runtime, as the updater
   does (__argc, __argv): it writes each one after the program name, followed by a line
   feed, into the file named by MJ_ARGV_RECORD. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR line, int show)
{
    char path[MAX_PATH] = "";
    FILE* record;
    int i;
    (void)instance, (void)previous, (void)line, (void)show;
    if (!GetEnvironmentVariableA("MJ_ARGV_RECORD", path, sizeof path))
        return 2;
    record = fopen(path, "wb");
    if (!record)
        return 3;
    for (i = 1; i < __argc; ++i)
        fprintf(record, "%s\n", __argv[i]);
    fclose(record);
    return 0;
}
