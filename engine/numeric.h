// Small numeric routines shared by calculations and reports: interpolation,
// the enthalpy of saturated steam, the flow units and the row rounding.
#pragma once

#include <string>

namespace tarvelo {

// y0 + (y1 − y0)·(x − x0)/(x1 − x0). Note the argument order.
double Interpola(double x, double x1, double x0, double y1, double y0);

// Enthalpy of saturated steam at t (°C), kJ/kg.
double HVapore(double t);

// x rounded to one decimal (half away from zero), then truncated toward zero.
long long Decimo(double x);

// Flow-unit codes: 0 kg/s, 1 l/s, 2 m3/h. Flows are stored in kg/s of dry air.
inline constexpr int UmKgS = 0;
inline constexpr int UmLS = 1;
inline constexpr int UmM3H = 2;

// Shown = kg/s × factor (fixed specific volume 0.816 m³/kg); 0 for an
// unknown code.
double FattorePortata(int codice);
// Turns a shown flow back into kg/s. An unknown code would divide by zero:
// the value is then left as it is and false is returned.
bool InKgS(int codice, double& valore);
// Shown = m³/s × factor, for a true volume flow; 0 for an unknown code.
double FattoreVolume(int codice);
// Sets the mask of the unit; an unknown code leaves the mask unchanged.
void MaskPortata(int codice, std::string& mask);
// "kg/s", "l/s", "m3/h"; empty for an unknown code.
std::string UnitaPortata(int codice);

} // namespace tarvelo
