// Prints the General tab's system lines of this system, one a line.
#include <cstdio>

#include "monitor/details/system_probe_win.h"

int main() {
    for (const std::string& line : details::ReadSystemLines()) std::printf("%s\n", line.c_str());
    return 0;
}
