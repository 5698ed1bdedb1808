// The program's one application object; the tests that start a variant of the
// program bring their own.
#include "UpdateApp.h"

CUpdateApp theApp;
