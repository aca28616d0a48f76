// The limits of the engineering checks run after every calculation, with
// their defaults: one table, read from the section [VERIFICHE] of the folder
// file TARVEX.INI (a key per limit, a decimal point or comma), documented in
// docs/ENGINEERING.md.
#pragma once

#include <string>
#include <vector>

namespace tarvelo {

class IniFile;

struct LimitiVerifiche {
    double tsBrina = 0.0;              // °C: coil surface below it ices up
    double tsCautela = 2.0;            // °C: below it, close to icing
    double URImmissione = 95.0;        // %: supply air above it condenses in ducts
    double dtRaffreddamento = 10.0;    // K: supply colder than the room by more
    double dtRiscaldamento = 15.0;     // K: supply warmer than the room by more
    double efficienzaSaturazione = 95; // %: adiabatic humidifier beyond it
    double URUscitaUmidificatore = 95; // %: humidifier outlet above it
    double tGelo = 0.0;                // °C: air below it reaching a coil or humidifier
    double fattoreContattoMin = 0.6;   // coil contact factor outside these
    double fattoreContattoMax = 0.98;
    double ricambiMin = 1.0; // 1/h, on the real supply volume
    double ricambiMax = 20.0;
};

struct VoceLimite {
    const char* chiave; // key in [VERIFICHE]
    double LimitiVerifiche::*campo;
    double minimo, massimo; // what the key may hold
};

const std::vector<VoceLimite>& tabellaLimiti();

// The limits of `ini`'s [VERIFICHE]; a key that is not a number within its
// range keeps its default and is named in `avvisi`.
LimitiVerifiche leggiLimitiVerifiche(const IniFile& ini, std::vector<std::string>& avvisi);

} // namespace tarvelo
