#include "app/monitor_state.h"

MonitorState g_monitor;
