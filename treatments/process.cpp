#include "treatments/process.h"

#include "engine/numeric.h"

#include <cmath>

namespace tarvelo {

int DividiPortate(int modo, double& perc1, double& perc2, double& port3, double& port2,
                  double& port1) {
    if (modo == 0) {
        port1 = perc1 * port3 / 100.0;
        port2 = port3 - port1;
    } else if (modo == 1) {
        port2 = port3 - port1;
    } else {
        port3 = port1 + port2;
    }
    if (port1 > port3)
        return 301;
    if (!(port3 > 0))
        return 300;
    // A negative share over a total near zero would make shares beyond any
    // size, and no mixing takes air away.
    if (port1 < 0)
        return 314;
    perc1 = 100.0 * port1 / port3;
    perc2 = 100.0 * port2 / port3;
    return 0;
}

int CalcMiscela(int modo, double& tbs3, double& x3, double& port3, double& port2, double& port1,
                double& perc2, double& perc1, double tbs1, double x1, double tbs2, double x2) {
    if (const int codice = DividiPortate(modo, perc1, perc2, port3, port2, port1); codice != 0)
        return codice;
    const double f1 = port1 / port3, f2 = port2 / port3;
    // The flow-weighted mean of the temperatures, not of the enthalpies.
    tbs3 = f1 * tbs1 + f2 * tbs2;
    x3 = f1 * x1 + f2 * x2;
    return 0;
}

int CalcRiscRaff(int modo, int tipo, double& h2, double& potenza, double& portata, double h1) {
    const double c = tipo == 3 ? 1.0 : -1.0;
    switch (modo) {
    case 0:
        if (!(portata > 0))
            return 303;
        h2 = (portata * h1 + c * potenza * 1000.0) / portata;
        return 0;
    case 1:
        potenza = c * portata * (h2 - h1) / 1000.0;
        return 0;
    default:
        if (h2 == h1)
            return 302;
        portata = c * potenza * 1000.0 / (h2 - h1);
        return 0;
    }
}

int CalcUmidificazione(int vapore, double& h2, double tw, double x2, double h1, double x1) {
    if (vapore == 0)
        h2 = h1 + (x2 - x1) * tw * 0.004187 * 1000.0 * 1000.0; // 4187 J/(kg K) of water
    else
        h2 = h1 + (x2 - x1) * HVapore(tw) * 1000.0;
    return 0;
}

} // namespace tarvelo
