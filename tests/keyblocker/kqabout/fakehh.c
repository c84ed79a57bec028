/* A stand-in HTML Help engine for the tests: its entry point (ordinal 14) writes each call
   to the file named by KQ_HH_LOG as "<target>|<command>" lines. */
#include <windows.h>
#include <stdio.h>

HWND WINAPI FakeHtmlHelpA(HWND owner, LPCSTR target, UINT command, DWORD_PTR data) {
    char path[MAX_PATH];
    (void)owner;
    (void)data;
    if (!GetEnvironmentVariableA("KQ_HH_LOG", path, sizeof path)) return NULL;
    FILE* f = fopen(path, "a");
    if (!f) return NULL;
    fprintf(f, "%s|%u\n", target ? target : "(null)", command);
    fclose(f);
    return NULL;
}
