/* Stands in for the browser in the tests: appends its first argument as a line to the file
   named by E2E_URL_LOG. */
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
    char path[MAX_PATH];
    FILE* f;
    if (argc < 2 || !GetEnvironmentVariableA("E2E_URL_LOG", path, sizeof path)) return 1;
    f = fopen(path, "a");
    if (!f) return 1;
    fprintf(f, "%s\n", argv[1]);
    fclose(f);
    return 0;
}
