#include "document/error_messages.h"

#include "engine/decimal_text.h"
#include "engine/moist_air.h"
#include "engine/numeric.h"
#include "engine/text.h"

#include <algorithm>
#include <map>

namespace tarvelo {

std::string numero(double v, int decimali) {
    std::string s = FloatToStrFixed(v, 15, decimali);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

namespace {

std::string gradi(double t) {
    return numero(t, 1) + " °C";
}
std::string percento(double ur) {
    return numero(ur, 1) + " %";
}
std::string grammiKg(double x) {
    return numero(x * 1000.0, 2) + " g/kg";
}
std::string kJkg(double h) {
    return numero(h / 1000.0, 2) + " kJ/kg";
}
std::string kW(double p) {
    return numero(p, 3) + " kW";
}

// A flow stored in kg/s, in the unit its field shows, with that unit's
// decimals (those of its picture mask).
std::string portata(double q, int um) {
    if (um != UmLS && um != UmM3H)
        return numero(q, 4) + " kg/s";
    return numero(q * FattorePortata(um), um == UmLS ? 2 : 1) + " " + UnitaPortata(um);
}

// A point of a scheme at or beyond saturation (codes 206, 216, 406).
std::string puntoTroppoUmido(const char* nome, double ur, const char* rimedio) {
    return std::string("Il punto ") + nome + " (UR " + percento(ur) +
           ") deve avere al massimo UR 99 %" + rimedio;
}

std::string urOltreSaturazione(const char* grandezza, double ur, const char* punto) {
    return std::string(grandezza) + " (" + percento(ur) + ") non deve superare il 100 %: " + punto +
           " è oltre la curva di saturazione";
}

std::string qImmissioneNulla(const TLavoro& l) {
    return "q immissione (" + portata(l.Qimm, l.umQimm) + ") deve essere maggiore di zero";
}

// The label of a treatment on one line, UTF-8.
std::string etichetta(const TTrattamento& t) {
    std::string s = cp1252ToUtf8(t.Etichetta.testo());
    for (std::size_t i; (i = s.find("\r\n")) != std::string::npos;)
        s.replace(i, 2, " ");
    return s;
}

const char* const TsSotto20 =
    "La retta della batteria non incontra la curva di saturazione sopra -20 °C: il punto ts "
    "sarebbe sotto -20 °C";

} // namespace

std::string MessaggioErrore(int codice) {
    static const std::map<int, const char*> tabella = {
        {202, "la retta C-D non interseca la curva di saturazione"},
        {203, TsSotto20},
        {204, "Il punto ts risulta più caldo del punto D"},
        {205, "la retta C-D non interseca la curva di saturazione "},
        {207, "Il numero di ricircoli Qv/Vol dovrebbe superare 4-5!"},
        {209, "La tbsD non dovrebbe superare i 45°C"},
        {210, "regolabilità del sistema < 0.4"},
        {212, "la retta A-C non interseca la curva di saturazione"},
        {213, TsSotto20},
        {214, "Il punto ts risulta più caldo del punto C"},
        {215, "la retta A-C non interseca la curva di saturazione"},
        {310,
         "La retta \"Raffreddamento con deumidificazione\" non interseca la curva di saturazione"},
        {313, "Dato fuori dal campo di validità"},
        {314, "La portata 1 non deve essere negativa"},
        {402, "La retta A-C non interseca la curva di saturazione"},
        {405, "La retta A-C non interseca la curva di saturazione"},
        {409, "Il tratto ts-C interseca la curva di saturazione"},
        {420, "Calcolo impossibile: divisione per zero con i dati inseriti"},
        {422, "La ricerca dell'umidità del punto D non converge"},
        {4000, "Il Tratto ts-Pto2 interseca la curva di saturazione"},
    };
    const auto it = tabella.find(codice);
    return it == tabella.end() ? std::string() : it->second;
}

std::string MessaggioErrore(const TLavoro& l) {
    const int tipo = l.TipoImpianto;
    auto P = [&l](std::size_t i) -> const TPunto& { return l.Punti[i - 1]; };
    auto T = [&l](std::size_t k) -> const TTrattamento& { return l.Trattamenti[k - 1]; };
    switch (l.CodiceErrore) {
    case 0:
        return {};
    case 1:
        return "tbs interna (" + gradi(l.tbsInt) + ") non deve superare tbs esterna (" +
               gradi(l.tbsEst) + ")";
    case 2:
        return "q rinnovo (" + portata(l.Qrinn, l.umQrinn) + ") non deve superare q immissione (" +
               portata(l.Qimm, l.umQimm) + ")";
    case 3:
        // Summer schemes refuse a supply as warm as the room, winter ones
        // only a warmer one.
        return "tbs immissione (" + gradi(l.tbsImm) +
               (tipo == 3 || tipo == 4 ? ") non deve superare tbs interna ("
                                       : ") deve essere minore di tbs interna (") +
               gradi(l.tbsInt) + ")";
    case 4:
        return "Il volume della zona (" + numero(l.Volume, 1) + " m3) deve essere maggiore di zero";
    case 5:
        return "Il carico totale Csens + Clat (" + kW(l.Ctot) +
               ") deve essere maggiore di zero (Csens " + kW(l.Csens) + ", Clat " + kW(l.Clat) +
               ")";
    case 6:
    case 101:
        return qImmissioneNulla(l);
    case 7:
        return "tbs interna (" + gradi(l.tbsInt) + ") non deve essere minore di tbs esterna (" +
               gradi(l.tbsEst) + ")";
    case 8:
        return "UR punto D (" + percento(l.URD) + ") deve essere almeno 30 % e minore di 99,9 %";
    case 102:
        return "q immissione richiesta dai carichi (" + portata(P(4).qm, l.umQimm) +
               ") non deve essere minore di q rinnovo (" + portata(l.Qrinn, l.umQrinn) +
               "): aumentare tbs immissione";
    case 206:
        // The supply point: D in A, C in B.
        if (tipo == 1)
            return puntoTroppoUmido("C", P(3).UR, ": aumentare tbs immissione");
        return puntoTroppoUmido("D", P(4).UR,
                                l.flgQimm == 1 ? ": aumentare q immissione"
                                               : ": aumentare tbs immissione");
    case 208:
        return "tbs di immissione E (" + gradi(P(5).tbs) +
               ") deve essere maggiore di tbs interna B (" + gradi(P(2).tbs) + ")";
    case 216:
        return puntoTroppoUmido("C", P(3).UR, ": aumentare tbs immissione");
    case 217:
        if (l.flgQimm == 1)
            return "q immissione (" + portata(l.Qimm, l.umQimm) +
                   ") è troppo piccola: l'entalpia di immissione scende sotto " +
                   kJkg(T(3).PuntoAux2.h) + ", dove la retta dei carichi (Csens/Ctot " +
                   numero(l.CsenCtot, 2) + ") raggiunge x = 0 a " + gradi(T(3).t0) +
                   "; aumentare q immissione";
        return "tbs immissione (" + gradi(l.tbsImm) + ") deve essere maggiore di " +
               gradi(T(3).t0) + ", dove la retta dei carichi (Csens/Ctot " + numero(l.CsenCtot, 2) +
               ") raggiunge x = 0: aumentare tbs immissione";
    case 406:
        return puntoTroppoUmido("C", P(3).UR, "");
    case 407:
        return "tbs di immissione D (" + gradi(P(4).tbs) +
               ") non deve essere minore di tbs C all'uscita della batteria (" + gradi(P(3).tbs) +
               "): aumentare tbs immissione";
    case 408:
        return "Il punto C all'uscita della batteria (UR " + percento(P(3).UR) +
               ") deve avere UR minore di 100 %";
    case 410: {
        const std::size_t n = std::min<std::size_t>(l.NumTrattamenti, TLavoro::MaxTrattamenti);
        for (std::size_t k = 1; k <= n; ++k)
            if (T(k).Reale == 1 && T(k).qx < 0)
                return "L'acqua scambiata da \"" + etichetta(T(k)) + "\" (qx " +
                       numero(T(k).qx * 1000.0, 3) + " g/s) non deve essere negativa";
        return "L'acqua scambiata qx non deve essere negativa";
    }
    case 411:
        return "tbs C dopo il preriscaldamento (" + gradi(P(3).tbs) +
               ") deve essere maggiore di tbs esterna A (" + gradi(P(1).tbs) + ")";
    case 412:
        return "tbs D dopo l'umidificazione (" + gradi(P(4).tbs) +
               ") non deve superare tbs di immissione E (" + gradi(P(5).tbs) +
               "): aumentare UR punto D";
    case 413:
        return "L'umidità di immissione cercata (" + grammiKg(T(2).PuntoAux1.x) +
               ") deve restare sopra quella del punto ts (" + grammiKg(P(5).x) +
               ", t superficiale " + gradi(l.tSup) +
               "): abbassare t superficiale o aumentare tbs immissione";
    case 421:
        return "q rinnovo (" + portata(l.Qrinn, l.umQrinn) + ") deve essere maggiore di zero";
    default:
        return MessaggioErrore(l.CodiceErrore);
    }
}

std::string MessaggioTrattamento(int codice, const TTrattamento& t, const TPunto& p1,
                                 const TPunto& p2, const TPunto* p3) {
    const TDatiTrattamento& d = t.Dati;
    switch (codice) {
    case 300:
        return "La portata della miscela (" + portata(d.port3, d.umPortata) +
               ") deve essere maggiore di zero";
    case 301:
        return "La portata 1 (" + portata(d.port1, d.umPortata) +
               ") non deve superare la portata della miscela (" + portata(d.port3, d.umPortata) +
               ")";
    case 314:
        return "La portata 1 (" + portata(d.port1, d.umPortata) + ") non deve essere negativa";
    case 302:
        // Equal enthalpies leave the flow undetermined; a coil line at
        // constant temperature has no finite slope.
        if (p1.h == p2.h)
            return "h2 (" + kJkg(p2.h) + ") deve essere diversa da h1 (" + kJkg(p1.h) +
                   "): con h2 = h1 la portata non si può calcolare";
        return "tbs2 (" + gradi(p2.tbs) + ") deve essere diversa da tbs1 (" + gradi(p1.tbs) +
               "): la retta della batteria sarebbe verticale";
    case 303:
        return "La portata (" + portata(d.portata, d.umPortata) + ") deve essere maggiore di zero";
    case 304:
        return "La potenza totale T (" + kW(d.T) + ") deve essere maggiore di zero";
    case 305:
        return "tbs2 (" + gradi(p2.tbs) + ") deve essere maggiore di t0 (" + gradi(t.t0) +
               "), dove la retta del trattamento (S/T " + numero(t.STcoil, 2) + ") raggiunge x = 0";
    case 306:
        return "La portata qimm (" + portata(d.qimm, d.umPortata) +
               ") deve essere maggiore di zero";
    case 307:
        return "La potenza sensibile S (" + kW(d.S) + ") deve essere diversa da zero";
    case 308:
        return "h2 (" + kJkg(p1.h - d.T * 1000.0 / d.qimm) + ") non deve essere minore di h0 (" +
               kJkg(HdaTbsX(t.t0, 0.0)) + "), dove la retta del trattamento (S/T " +
               numero(t.STcoil, 2) + ") raggiunge x = 0 a " + gradi(t.t0) +
               ": ridurre T o aumentare qimm";
    case 309:
        return "La potenza sensibile S (" + kW(d.S) + ") deve essere diversa dalla totale T (" +
               kW(d.T) + "): con S = T la retta è orizzontale e x2 non determina tbs2";
    case 311:
        return "La retta della batteria incontra la curva di saturazione sopra tbs2 (" +
               gradi(p2.tbs) + "): il punto 2 è oltre la saturazione";
    case 312:
        return "ts (" + gradi(d.ts) + ") deve essere diversa da tbs1 (" + gradi(p1.tbs) + ")";
    case 1000:
        return urOltreSaturazione("UR1", p1.UR, "il punto 1");
    case 2000:
        return urOltreSaturazione("UR2", p2.UR, "il punto 2");
    case 3000:
        if (p3)
            return urOltreSaturazione("UR della miscela", p3->UR, "il punto di miscela");
        return "UR della miscela non deve superare il 100 %";
    default:
        return MessaggioErrore(codice);
    }
}

std::string MessaggioTroppiPunti(const TLavoro& l) {
    if (static_cast<std::size_t>(l.NumPunti) > TLavoro::MaxPunti - 3)
        return "Troppi punti: il lavoro ne ha già " + std::to_string(l.NumPunti) + " su " +
               std::to_string(TLavoro::MaxPunti) +
               " e un nuovo trattamento ne richiede fino a 3; collegando i punti di un "
               "trattamento a punti già presenti se ne liberano";
    return "Troppi trattamenti: il lavoro ne ha già " + std::to_string(l.NumTrattamenti) + " su " +
           std::to_string(TLavoro::MaxTrattamenti) +
           " e un nuovo trattamento ne richiede fino a 2 (la batteria fredda ha la sua linea di "
           "estensione)";
}

} // namespace tarvelo
