#include "aerodynamics.h"

namespace frame {

namespace {

const double kDegree = 0.017453292519943295;  // one degree [rad]

const int kBreakpointDegrees[9] = {-180, -60, -30, -2, 10, 15, 50, 90, 180};  // [deg]
const double kLift[9] = {0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0};     // lift coefficient per breakpoint

const double kBaseDrag = 0.95;           // added to every drag coefficient
const double kInducedAspectRatio = 1.5;  // induced drag: wing aspect ratio
const double kInducedEfficiency = 0.7;   // induced drag: wing efficiency factor
const double kWaveMach1 = 0.75;          // wave drag: onset [Mach]
const double kWaveMach2 = 1.0;           // wave drag: maximum reached [Mach]
const double kWaveMach3 = 1.1;           // wave drag: decline starts [Mach]
const double kWaveMax = 0.04;            // wave drag: maximum coefficient

LiftAngleTable verticalTable;
LiftAngleTable horizontalTable;

void FillOnce(LiftAngleTable &table) {
    if (table.filled) return;
    table.filled = true;
    for (int k = 0; k < 9; ++k) table.aoa[k] = kBreakpointDegrees[k] * kDegree;
}

void LiftCoeff(LiftAngleTable &table, double aoa, double M, double *cl, double *cm, double *cd) {
    FillOnce(table);
    const int i = LiftSegment(table, aoa);
    const double f = (aoa - table.aoa[i]) / (table.aoa[i + 1] - table.aoa[i]);
    *cl = kLift[i] + (kLift[i + 1] - kLift[i]) * f;
    *cm = 0.0;
    const double wave = oapiGetWaveDrag(M, kWaveMach1, kWaveMach2, kWaveMach3, kWaveMax);
    *cd = (oapiGetInducedDrag(*cl, kInducedAspectRatio, kInducedEfficiency) + kBaseDrag) + wave;
}

}  // namespace

int LiftSegment(const LiftAngleTable &table, double aoa) {
    int i = 0;
    while (i < 7 && aoa > table.aoa[i + 1]) ++i;
    return i;
}

const LiftAngleTable &VerticalLiftTable() { return verticalTable; }
const LiftAngleTable &HorizontalLiftTable() { return horizontalTable; }

}  // namespace frame

void VerticalLiftCoeff(VESSEL *, double aoa, double M, double, void *, double *cl, double *cm, double *cd) {
    frame::LiftCoeff(frame::verticalTable, aoa, M, cl, cm, cd);
}

void HorizontalLiftCoeff(VESSEL *, double aoa, double M, double, void *, double *cl, double *cm, double *cd) {
    frame::LiftCoeff(frame::horizontalTable, aoa, M, cl, cm, cd);
}
