// The entry point of a GUI program built on the framework. Kept in a file of
// its own so that test programs, which have a main() of their own, never
// link it.
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AfxWinMain(); }
