// Atmospheric pressure from altitude and back, by linear interpolation in a
// table of the standard atmosphere (-500..10000 m), extended linearly beyond
// both ends.
#pragma once

namespace tarvelo {

double pressureFromAltitude(double metres); // Pa
double altitudeFromPressure(double pascal); // m

} // namespace tarvelo
