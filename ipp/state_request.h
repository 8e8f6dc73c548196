// The one request printwatch sends: Get-Printer-Attributes for the
// printer's state, its reasons and its message, in IPP 1.1, which every IPP
// printer answers. Nothing else: no job, no credentials, no change.
#pragma once

#include <cstdint>
#include <string>

#include "ipp/printer_uri.h"

constexpr unsigned kGetPrinterAttributes = 0x000B;

// The request's bytes, the body of an HTTP POST to the printer's path.
std::string EncodeStateRequest(const PrinterUri& uri, std::int32_t requestId);
