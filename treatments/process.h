// The process equations of the elementary treatments, in SI units.
#pragma once

namespace tarvelo {

// Mixing input modes: 0 "port1 % ; totale", 1 "port1    ; totale",
// 2 "port1    ; port2". Returns 0, 300, 301 or 314 (a negative port1).
int DividiPortate(int modo, double& perc1, double& perc2, double& port3, double& port2,
                  double& port1);
int CalcMiscela(int modo, double& tbs3, double& x3, double& port3, double& port2, double& port1,
                double& perc2, double& perc1, double tbs1, double x1, double tbs2, double x2);

// Heating (kind 3) and cooling (kind 1); modes 0 "punto1 ; potenza ;
// portata", 1 "punto1 ; punto2 ; portata", 2 "punto1 ; punto2 ; potenza".
// Powers in kW. Returns 0, 302 or 303.
int CalcRiscRaff(int modo, int tipo, double& h2, double& potenza, double& portata, double h1);

// Humidification with water (0) or steam (1) at tw; always 0.
int CalcUmidificazione(int vapore, double& h2, double tw, double x2, double h1, double x1);

} // namespace tarvelo
