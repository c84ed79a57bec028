// The display widgets the gadget hosts.
#pragma once
#include "monitor/app/standin_widgets.h"
