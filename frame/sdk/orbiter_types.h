// Basic types of the host interface: handles, vectors, records and enumerations.
// Names, member order and layouts follow the simulator's SDK so that module
// sources build unchanged against either.
#ifndef QUORVANE_SDK_ORBITER_TYPES_H
#define QUORVANE_SDK_ORBITER_TYPES_H

#include <cmath>
#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define OAPIFUNC __declspec(dllimport)
#define DLLCLBK extern "C" __declspec(dllexport)
#else
#define OAPIFUNC __attribute__((visibility("default")))
#define DLLCLBK extern "C" __attribute__((visibility("default")))
#endif

// Integer widths are fixed: DWORD stays 32 bits where `unsigned long` is 64.
typedef std::uint32_t DWORD;
typedef unsigned int UINT;
typedef std::uint16_t WORD;
typedef int BOOL;

#if !defined(_WIN32)
typedef void *HINSTANCE;
typedef void *HDC;
#endif

// Every handle the host hands out is opaque.
typedef void *OBJHANDLE;
typedef void *THRUSTER_HANDLE;
typedef void *THGROUP_HANDLE;
typedef void *PROPELLANT_HANDLE;
typedef void *ATTACHMENTHANDLE;
typedef void *AIRFOILHANDLE;
typedef void *ANIMATIONCOMPONENT_HANDLE;
typedef void *SURFHANDLE;
typedef void *MESHHANDLE;
typedef void *FILEHANDLE;
typedef void *VISHANDLE;
typedef void *PANELHANDLE;
typedef void *DOCKHANDLE;
typedef void *CTRLSURFHANDLE;

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
#endif
// The array comes first so that brace initialisation {a, b, c} fills x, y, z.
typedef union {
    double data[3];
    struct {
        double x, y, z;
    };
} VECTOR3;

// Row-major 3x3 matrix.
typedef union {
    double data[9];
    struct {
        double m11, m12, m13, m21, m22, m23, m31, m32, m33;
    };
} MATRIX3;
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

inline VECTOR3 _V(double x, double y, double z) {
    VECTOR3 v = {{x, y, z}};
    return v;
}

inline VECTOR3 operator+(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x + b.x, a.y + b.y, a.z + b.z); }
inline VECTOR3 operator-(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x - b.x, a.y - b.y, a.z - b.z); }
inline VECTOR3 operator*(const VECTOR3 &a, double f) { return _V(a.x * f, a.y * f, a.z * f); }
inline VECTOR3 operator/(const VECTOR3 &a, double f) { return _V(a.x / f, a.y / f, a.z / f); }
inline VECTOR3 operator-(const VECTOR3 &a) { return _V(-a.x, -a.y, -a.z); }
inline double dotp(const VECTOR3 &a, const VECTOR3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline VECTOR3 crossp(const VECTOR3 &a, const VECTOR3 &b) {
    return _V(a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y);
}
inline double length(const VECTOR3 &a) { return std::sqrt(dotp(a, a)); }
inline VECTOR3 unit(const VECTOR3 &a) { return a / length(a); }

// Version-1 vessel state record.
typedef struct {
    VECTOR3 rpos;      // position relative to the reference body [m]
    VECTOR3 rvel;      // velocity relative to the reference body [m/s]
    VECTOR3 vrot;      // angular velocity in the vessel's frame [rad/s]
    VECTOR3 arot;      // orientation angles [rad]
    double fuel;       // propellant level [0..1]
    double eng_main;   // main thrust level
    double eng_hovr;   // hover thrust level
    OBJHANDLE rbody;   // reference body
    OBJHANDLE base;    // landing base
    int port;          // landing pad
    int status;        // 0 free flight, 1 landed
    VECTOR3 vdata[10];
    double fdata[10];
    DWORD flag[10];
} VESSELSTATUS;

typedef struct {
    VECTOR3 pos;       // touchdown point [m]
    double stiffness;  // spring stiffness [N/m]
    double damping;    // damping [N s/m]
    double mu;         // lateral friction coefficient
    double mu_lng;     // longitudinal friction coefficient
} TOUCHDOWNVTX;

typedef struct {
    int W, H;          // HUD size [pixel]
    int CX, CY;        // HUD centre [pixel]
    double Scale;      // pixels per degree of view
    int Markersize;    // size of HUD markers [pixel]
} HUDPAINTSPEC;

typedef enum {
    THGROUP_MAIN,
    THGROUP_RETRO,
    THGROUP_HOVER,
    THGROUP_ATT_PITCHUP,
    THGROUP_ATT_PITCHDOWN,
    THGROUP_ATT_YAWLEFT,
    THGROUP_ATT_YAWRIGHT,
    THGROUP_ATT_BANKLEFT,
    THGROUP_ATT_BANKRIGHT,
    THGROUP_ATT_RIGHT,
    THGROUP_ATT_LEFT,
    THGROUP_ATT_UP,
    THGROUP_ATT_DOWN,
    THGROUP_ATT_FORWARD,
    THGROUP_ATT_BACK,
    THGROUP_USER = 0x40
} THGROUP_TYPE;

typedef enum { LIFT_VERTICAL, LIFT_HORIZONTAL } AIRFOIL_ORIENTATION;

// Airfoil coefficient callback: aoa [rad], Mach, Reynolds, context; out cl, cm, cd.
typedef void (*AirfoilCoeffFuncEx)(class VESSEL *v, double aoa, double M, double Re, void *context,
                                   double *cl, double *cm, double *cd);

#define NAVMODE_KILLROT 1
#define NAVMODE_HLEVEL 2
#define NAVMODE_PROGRADE 3
#define NAVMODE_RETROGRADE 4
#define NAVMODE_NORMAL 5
#define NAVMODE_ANTINORMAL 6
#define NAVMODE_HOLDALT 7

#define MESHVIS_NEVER 0x00
#define MESHVIS_EXTERNAL 0x01
#define MESHVIS_COCKPIT 0x02
#define MESHVIS_ALWAYS (MESHVIS_EXTERNAL | MESHVIS_COCKPIT)

const double PI = 3.14159265358979323846;  // pi
const double PI05 = 1.57079632679489661923; // pi/2
const double RAD = PI / 180.0;              // radians per degree
const double DEG = 180.0 / PI;              // degrees per radian

#endif
