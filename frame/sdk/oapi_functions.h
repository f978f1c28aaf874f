// Free functions of the host interface.
#ifndef QUORVANE_SDK_OAPI_FUNCTIONS_H
#define QUORVANE_SDK_OAPI_FUNCTIONS_H

#include "orbiter_types.h"

// Simulation time.
OAPIFUNC double oapiGetSimTime();
OAPIFUNC double oapiGetSimStep();
OAPIFUNC double oapiGetSimMJD();

// Random number in [0, 1].
OAPIFUNC double oapiRand();

// Marks the vessel for removal at the end of the current frame.
OAPIFUNC bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE hAlternativeCameraTarget = 0);
OAPIFUNC OBJHANDLE oapiGetVesselByName(char *name);
OAPIFUNC OBJHANDLE oapiGetFocusObject();

// Aerodynamics helpers.
OAPIFUNC double oapiGetWaveDrag(double M, double M1, double M2, double M3, double cmax);
OAPIFUNC double oapiGetInducedDrag(double cl, double A, double e);

// Integer form of a date in the compiler's format ("May  6 2026"): yymmdd.
OAPIFUNC int Date2Int(char *date);

// Resources.
OAPIFUNC SURFHANDLE oapiRegisterExhaustTexture(char *name);

// Scenario files.
OAPIFUNC bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line);
OAPIFUNC void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string);
OAPIFUNC void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i);
OAPIFUNC void oapiWriteScenario_float(FILEHANDLE scn, char *item, double d);

// The host's log file.
OAPIFUNC void oapiWriteLog(char *line);

#endif
