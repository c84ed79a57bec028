#include "monitor/metrics/elapsed.h"
