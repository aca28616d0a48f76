// The inputs a new treatment starts from, by kind of treatment.
#pragma once

#include "document/work_records.h"

#include <cstdint>

namespace tarvelo {

// Treatment kinds (`Tipo`).
inline constexpr std::uint8_t TipoMiscela = 0;
inline constexpr std::uint8_t TipoRaffreddamento = 1;
inline constexpr std::uint8_t TipoBatteriaFredda = 2; // cooling with dehumidification
inline constexpr std::uint8_t TipoRiscaldamento = 3;
inline constexpr std::uint8_t TipoUmidificazione = 4; // adiabatic, water
inline constexpr std::uint8_t TipoUnione = 5;
inline constexpr std::uint8_t TipoUmidificazioneVapore = 6;

// Writes the default inputs of a new treatment of kind `tipo` into `d`;
// fields the defaults do not name keep their values. `umPortataDef` is the
// default flow unit of the saved defaults.
void impostaDatiDefault(std::uint8_t tipo, TDatiTrattamento& d, std::uint8_t umPortataDef);

} // namespace tarvelo
