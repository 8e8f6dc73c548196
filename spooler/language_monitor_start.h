// Asking the spooler to start the printer's language monitor.
#pragma once

// Queries the start request value on the first default or local printer and
// ignores every result. Nothing happens when there is no printer or it
// cannot be opened.
void RequestLanguageMonitorStart();
