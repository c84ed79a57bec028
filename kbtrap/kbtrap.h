// kbtrap: the Windows-logo-key hook library. Its two exports carry undecorated names.
#pragma once
#include <windows.h>

#ifdef KBTRAP_BUILD
#define KBTRAP_API extern "C" __declspec(dllexport)
#else
#define KBTRAP_API extern "C" __declspec(dllimport)
#endif

// Arms the hooks.
KBTRAP_API BOOL SetHook(void);
// Disarms the hooks.
KBTRAP_API BOOL UnsetHook(void);
