// The work document's records. Their layouts are the work file's format:
// every field is read and written at its documented offset by the codec
// below, little-endian; reserved areas are kept as bytes so that whatever a
// file holds there is written back unchanged.
#pragma once

#include "document/chart_header.h"
#include "document/le_bytes.h"
#include "document/pascal_string.h"

#include <array>
#include <cstdint>

namespace tarvelo {

// One air state, 128 bytes.
struct TPunto {
    static constexpr std::size_t Size = 128;

    double tbs = 0, UR = 0, tbu = 0, x = 0, h = 0, v = 0, tdp = 0, rhoSecca = 0, rhoUmida = 0;
    double qm = 0;    // dry-air mass flow, kg/s
    double Quota = 0; // share of a mixture flow, 0..1
    std::uint8_t Marcato = 0;
    std::array<std::uint8_t, 3> riservato89{};
    std::int32_t X = 0, Y = 0; // screen position, pixels
    std::int32_t EtichDx = 0, EtichDyStampa = 0, EtichDyVideo = 0;
    StringaPascal<7> Nome;
    std::uint8_t InUso = 0;
    std::uint8_t Maniglia = 0;
    std::array<std::uint8_t, 6> riservato122{};

    bool operator==(const TPunto&) const = default;
};

// The inputs of a treatment as typed, 232 bytes.
struct TDatiTrattamento {
    static constexpr std::size_t Size = 232;

    double tbs1 = 0, UR1 = 0;
    std::array<std::uint8_t, 8> riservato16{};
    double tbs2 = 0, UR2 = 0;
    std::uint8_t riservato40 = 0;
    StringaPascal<3> Nome1, Nome2, Nome3;
    std::array<std::uint8_t, 3> riservato53{};
    std::array<std::int32_t, 3> PosEtich{}; // -1 above, -2 below
    std::array<std::int32_t, 3> Collega{};  // point reused, -1 none
    std::uint8_t umPortata = 0;
    std::uint8_t modoMiscela = 0;
    std::array<std::uint8_t, 6> riservato82{};
    double perc1 = 0, perc2 = 0, port1 = 0, port2 = 0, port3 = 0;
    std::uint8_t modoPotenza = 0;
    std::array<std::uint8_t, 7> riservato129{};
    double portata = 0, potenza = 0;
    std::uint8_t vapore = 0;
    std::array<std::uint8_t, 7> riservato153{};
    double tMezzo = 0;
    std::uint8_t modoBatteria = 0;
    std::array<std::uint8_t, 7> riservato169{};
    double S = 0, T = 0, qimm = 0, ts = 0, fsDato = 0, L = 0;
    std::uint8_t posLista = 0;
    std::array<std::uint8_t, 3> riservato225{};
    std::int32_t PuntoPortata = 0;

    bool operator==(const TDatiTrattamento&) const = default;
};

// One treatment, 728 bytes.
struct TTrattamento {
    static constexpr std::size_t Size = 728;

    std::int32_t Punto1 = 0, Punto2 = 0, Punto3 = 0;
    std::int32_t Colore = 0; // Windows colour value, red in the low byte
    std::uint8_t Stile0 = 0, Spessore = 0, StilePenna = 0;
    std::array<std::uint8_t, 5> riservato19{};
    TDatiTrattamento Dati;
    TPunto PuntoAux1, PuntoAux2;
    double Qtot = 0, Qsen = 0;
    std::array<std::uint8_t, 8> riservato528{};
    double ST = 0, dx = 0, qx = 0, dt = 0, dh = 0, dhdx = 0, dhSen = 0, dhTot = 0;
    double QsenFan = 0, QFan = 0;
    std::uint16_t Errore = 0;
    std::array<std::uint8_t, 6> riservato618{};
    double STcoil = 0, t0 = 0;
    std::uint8_t Reale = 0, Estensione = 0, Visibile = 0;
    StringaPascal<80> Etichetta;
    std::uint8_t Tipo = 0;
    std::array<std::uint8_t, 3> riservato725{};

    bool operator==(const TTrattamento&) const = default;
};

// The work record, 12064 bytes.
struct TLavoro {
    static constexpr std::size_t Size = 12064;
    static constexpr std::size_t MaxPunti = 20;
    static constexpr std::size_t MaxTrattamenti = 11;

    StringaPascal<255> Descrizione;
    double tbsInt = 0, URInt = 0, tbsEst = 0, UREst = 0, tbsImm = 0, tH2O = 0;
    double Csens = 0, Clat = 0, Cx = 0, Ctot = 0, CsenCtot = 0;
    double riservato344 = 0;
    double Volume = 0, Qrinn = 0, Qimm = 0, tSup = 0;
    double riservato384 = 0; // the samples store 0.88
    double URD = 0;
    std::uint8_t flgCx = 0, flgQimm = 0, umQrinn = 0, umQimm = 0;
    std::int16_t riservato404 = 0;
    std::array<std::uint8_t, 2> riservato406{};
    double xPick = 0;
    std::uint8_t flgXPick = 0;
    std::array<std::uint8_t, 7> riservato417{};
    std::uint8_t NumPunti = 0;
    std::array<std::uint8_t, 7> riservato425{};
    std::array<TPunto, MaxPunti> Punti{};
    std::uint8_t NumTrattamenti = 0;
    std::uint8_t TipoImpianto = 0;
    std::array<std::uint8_t, 6> riservato2994{};
    std::array<TTrattamento, MaxTrattamenti> Trattamenti{};
    std::array<std::uint8_t, 256> riservato11008{};
    StringaPascal<255> TitoloSequenza;
    std::array<std::uint8_t, 8> riservato11520{};
    double Qv = 0, QvVol = 0, fs = 0, Regolabilita = 0, DtRiscaldamento = 0;
    TTestataChart TestataChart;
    std::int16_t CodiceChart = 0;
    std::uint16_t CodiceErrore = 0;
    std::array<std::uint8_t, 4> riservato12060{};

    bool operator==(const TLavoro&) const = default;
};

// The document header, 2098 bytes.
struct TTestataLavoro {
    static constexpr std::size_t Size = 2098;

    StringaPascal<7> Firma; // "TRV~" and three digits of format version
    StringaPascal<255> Progetto;
    StringaPascal<255> PiePagina;
    StringaPascal<3> NumFoglio;
    std::array<StringaPascal<80>, 7> righeRiservate{};
    std::uint8_t riservato1091 = 0;
    std::uint16_t CalcoliValidi = 0;
    std::array<std::uint8_t, 2> riservato1094{};
    std::uint8_t SenzaNome = 0;
    std::uint8_t UmStampa = 0;
    std::array<std::uint8_t, 1000> riservato1098{};

    bool operator==(const TTestataLavoro&) const = default;
};

// Offsets of the repeated parts of the work record.
constexpr std::size_t offsetPunto(std::size_t i) {
    return 432 + TPunto::Size * (i - 1);
}
constexpr std::size_t offsetTrattamento(std::size_t k) {
    return 3000 + TTrattamento::Size * (k - 1);
}

void decode(bytes::ConstImage in, TPunto& p);
void encode(const TPunto& p, bytes::Image out);
void decode(bytes::ConstImage in, TDatiTrattamento& d);
void encode(const TDatiTrattamento& d, bytes::Image out);
void decode(bytes::ConstImage in, TTrattamento& t);
void encode(const TTrattamento& t, bytes::Image out);
void decode(bytes::ConstImage in, TLavoro& l);
void encode(const TLavoro& l, bytes::Image out);
void decode(bytes::ConstImage in, TTestataLavoro& h);
void encode(const TTestataLavoro& h, bytes::Image out);

} // namespace tarvelo
