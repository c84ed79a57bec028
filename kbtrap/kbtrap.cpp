#define KBTRAP_BUILD
#include "kbtrap.h"

KBTRAP_API BOOL SetHook(void) { return TRUE; }
KBTRAP_API BOOL UnsetHook(void) { return TRUE; }
