// Functions the host program exports to modules beyond the interface headers.
#ifndef QUORVANE_HOST_API_HOST_EXPORTS_H
#define QUORVANE_HOST_API_HOST_EXPORTS_H

#include "host_interface.h"

// Called by every module as it is attached; logs the module with its build
// date and interface version.
OAPIFUNC void InitLib(HINSTANCE hModule);

#endif
