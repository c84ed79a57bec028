/* Exits with 0 once the shell's taskbar window (and so the tray) exists. */
#include <windows.h>
int main(void) { return FindWindowA("Shell_TrayWnd", NULL) ? 0 : 1; }
