// The library's entry point. Loading, unloading and thread notifications need
// no work: the export state is zero-initialised with the library's data.
#ifdef _WIN32
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
#endif
