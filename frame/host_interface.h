// The one header that module code includes for the host interface.
//
// By default it brings in the project's own declarations, which the headless
// host implements. Configured with QUORVANE_EXTERNAL_SDK the modules are built
// against the simulator's SDK instead, whose umbrella header this includes.
#ifndef QUORVANE_FRAME_HOST_INTERFACE_H
#define QUORVANE_FRAME_HOST_INTERFACE_H

#if defined(QUORVANE_EXTERNAL_SDK)
#include <Orbitersdk.h>
#else
#include "sdk/keys.h"
#include "sdk/mesh_transform.h"
#include "sdk/oapi_functions.h"
#include "sdk/orbiter_types.h"
#include "sdk/sketchpad.h"
#include "sdk/vessel_api.h"
#endif

#endif
