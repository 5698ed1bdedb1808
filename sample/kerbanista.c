/* A sample of the suite's main program: only its version resource matters. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    (void)instance; (void)previous; (void)commandLine; (void)show;
    MessageBoxA(NULL, "Programme d'exemple de la suite Orvandel.", "Kerbanista", MB_ICONINFORMATION);
    return 0;
}
