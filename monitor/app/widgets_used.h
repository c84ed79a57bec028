// The display widgets the gadget hosts.
#pragma once
#include "widgets/levelbar.h"
#include "widgets/vrnum.h"
