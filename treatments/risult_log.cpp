#include "treatments/risult_log.h"

#include "document/error_messages.h"
#include "engine/decimal_text.h"
#include "engine/text.h"
#include "treatments/treatment_defaults.h"

#include <algorithm>

namespace tarvelo {

namespace {

constexpr const char* FineRiga = "\r\n";

// value:d, the narrowest fixed-point text with d decimals.
std::string n(double v, int d) {
    return FloatToStrFixed(v, 18, d);
}

const TPunto* punto(const TLavoro& l, int i) {
    return i >= 1 && i <= static_cast<int>(TLavoro::MaxPunti)
               ? &l.Punti[static_cast<std::size_t>(i - 1)]
               : nullptr;
}

void riga(std::string& out, const std::string& testo) {
    out += testo;
    out += FineRiga;
}

void blocco(std::string& out, const TLavoro& l, const TTrattamento& t) {
    switch (t.Tipo) {
    case TipoMiscela:
        riga(out, "--MISCELA--");
        break;
    case TipoRaffreddamento:
        riga(out, "--RAFFREDDAMENTO--");
        riga(out, "Qs = " + n(t.Qsen / 1000, 3) + " kW");
        break;
    case TipoBatteriaFredda:
        riga(out, "--RAFF. CON DEUMIDIFICAZIONE--");
        riga(out, "Qs = " + n(t.Qsen / 1000, 3) + " kW");
        riga(out, "Qt = " + n(t.Qtot / 1000, 3) + " kW");
        riga(out, "Qs/Qt = " + n(t.ST, 3));
        riga(out, "qx = " + n(t.qx * 1000, 3) + " g/s");
        riga(out, "dh/dx = " + n(t.dhdx, 3));
        if (l.TipoImpianto == 1) {
            riga(out, "Consen= " + n(t.QsenFan / 1000, 3) + " kW");
            riga(out, "QFAN= " + n(t.QFan / 1000, 3) + " kW");
        }
        riga(out,
             "fs = " + n(l.TipoImpianto == 6 ? t.Dati.fsDato : l.fs, 3) + " ; fattore di contatto");
        break;
    case TipoRiscaldamento:
        riga(out, "--RISCALDAMENTO--");
        riga(out, "Qs = " + n(t.Qsen / 1000, 3) + " kW");
        break;
    case TipoUmidificazione:
    case TipoUmidificazioneVapore:
        riga(out, "--UMIDIFICAZIONE--");
        riga(out, "qx = " + n(t.qx * 1000, 3) + " g/s");
        break;
    case TipoUnione:
        riga(out, "--RETTA CARICHI AMBIENTE--");
        break;
    default:
        break;
    }
    for (const int i : {t.Punto1, t.Punto2}) {
        const TPunto* p = punto(l, i);
        if (!p)
            continue;
        const std::string nome = p->Nome.testo();
        riga(out, "qm" + nome + "  =" + n(p->qm, 4) + " kg/s  ; portata massica");
        riga(out, "qv" + nome + "  =" + n(3600 * p->qm * p->v, 0) + " m3/h  ; portata volumica");
    }
    if (t.Tipo != TipoMiscela) {
        riga(out, "dt = " + n(t.dt, 2) + " K");
        riga(out, "dx = " + n(t.dx, 2) + " g/kg");
        riga(out, "dh = " + n(t.dh, 3) + " kJ/kg");
    }
    riga(out, "");
}

} // namespace

std::string testoRisult(const TLavoro& l) {
    std::string out;
    const int nt = std::min<int>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
    if (l.CodiceErrore == 0 && nt != 0) {
        for (int k = 0; k < nt; ++k) {
            const TTrattamento& t = l.Trattamenti[static_cast<std::size_t>(k)];
            if (t.Reale == 1)
                blocco(out, l, t);
        }
    }
    if (nt != 0 && l.CodiceErrore == 0 && l.TipoImpianto != 6)
        riga(out, "qv/vol = " + n(l.QvVol, 3) + " ; n\xB0 ricircoli");
    if (l.CodiceErrore != 0)
        riga(out, utf8ToCp1252(MessaggioErrore(l)));
    return out;
}

Esito ScriviRisult(const TLavoro& l, const std::string& cartella) {
    const std::string testo = testoRisult(l);
    return replaceFile(cartella + NomeRisult, std::vector<std::uint8_t>(testo.begin(), testo.end()),
                       Scrittura::Rapporto);
}

} // namespace tarvelo
