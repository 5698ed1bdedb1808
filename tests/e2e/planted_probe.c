/* Loads each DLL named on its command line by its bare name, as a program that trusts
   the search order does; ends with the number that did load. */
#include <windows.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    int i, loaded = 0;
    for (i = 1; i < argc; ++i) {
        if (LoadLibraryA(argv[i]))
            ++loaded;
    }
    return loaded;
}
