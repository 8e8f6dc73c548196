#include "state/monitor_state.h"

MonitorState g_monitor;
