/* A stand-in HTML Help engine for the tests: its entry point (ordinal 14) writes each call
   to the file named by KQ_HH_LOG as "<target>|<command>" lines; the pop-up commands
   (HH_TP_HELP_CONTEXTMENU, HH_TP_HELP_WM_HELP) add "|<window's control id>" and their
   help-id table as "|id=number,id=number,...". */
#include <windows.h>
#include <stdio.h>

HWND WINAPI FakeHtmlHelpA(HWND owner, LPCSTR target, UINT command, DWORD_PTR data) {
    char path[MAX_PATH];
    (void)data;
    if (!GetEnvironmentVariableA("KQ_HH_LOG", path, sizeof path)) return NULL;
    FILE* f = fopen(path, "a");
    if (!f) return NULL;
    fprintf(f, "%s|%u", target ? target : "(null)", command);
    if ((command == 0x10 || command == 0x11) && data) {
        const DWORD* ids = (const DWORD*)data;
        fprintf(f, "|%d|", owner ? GetDlgCtrlID(owner) : -1);
        for (; ids[0] != 0; ids += 2) fprintf(f, "%lu=%08lX,", (unsigned long)ids[0], (unsigned long)ids[1]);
    }
    fprintf(f, "\n");
    fclose(f);
    return NULL;
}
