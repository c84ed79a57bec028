// kqel: program entry.
#include <windows.h>

#include "keyblocker/app.h"
#include "keyblocker/messages.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RegisterKqelMessages();
    CTarnixApp app(instance);
    if (app.InitInstance()) {
        app.Run();
        app.ExitInstance();
        return 0;
    }
    app.ExitInstance();
    return 1;
}
