#include "plants/plant_samples.h"

#include <array>

namespace tarvelo {

namespace {

struct Esempio {
    const char* sezione; // the description after "Sezione: "
    double tbsInt, URInt, tbsEst, UREst, tbsImm, tH2O, Csens, Clat, Cx, Volume, Qrinn, Qimm, tSup;
};

// Descriptions are Windows-1252 ("°" is 0xB0), with two blanks after the
// semicolon.
constexpr const char* Intestazione = "Gruppo di trattamento A3 - Uffici 2\xB0 piano;  Sezione: ";

constexpr std::array<Esempio, 6> Esempi = {{
    {"BATTERIA FREDDA", 25, 50, 32, 50, 15.5, 15, 26.994, 3.411, 0, 1425, 0.694, 2.7777, 12},
    {"BATTERIA FREDDA", 25, 50, 32, 50, 14, 15, 45, 2.2, 0, 1500, 1.02123, 2.7777, 12},
    {"BATTERIE FREDDA + POSTRISCALDAMENTO", 25, 50, 32, 50, 18, 15, 32, 9.8, 4.23, 1500, 0.694,
     2.7777, 11.5},
    {"BATTERIE RISCALDAMENTO E UMIDIFICAZIONE", 20, 50, -5, 80, 15.5, 15, 25.68, 2.47, 0, 1500,
     0.69445, 2.7777, 12},
    {"BATTERIE RISCALDAMENTO E UMIDIFICAZIONE", 20, 50, -5, 80, 15.5, 105, 25.68, 2.47, 0, 1500,
     0.69445, 2.7777, 12},
    {"BATTERIE PRE/POST-RISCALDAMENTO E UMIDIFICAZIONE", 20, 50, -5, 80, 15.5, 15, 35, 2.47, 0,
     1500, 2.5531, 2.7777, 12},
}};

} // namespace

void CaricaEsempioImpianto(int codice, TLavoro& l, const TDefault& def) {
    if (codice < 0 || codice > 5)
        return;
    const Esempio& e = Esempi[static_cast<std::size_t>(codice)];
    l.Descrizione.assegna(std::string(Intestazione) + e.sezione);
    l.tbsInt = e.tbsInt;
    l.URInt = e.URInt;
    l.tbsEst = e.tbsEst;
    l.UREst = e.UREst;
    l.tbsImm = e.tbsImm;
    l.tH2O = e.tH2O;
    l.Csens = e.Csens;
    l.Clat = e.Clat;
    l.Cx = e.Cx;
    l.Ctot = 0;
    l.CsenCtot = 0;
    l.riservato344 = 0;
    l.Volume = e.Volume;
    l.Qrinn = e.Qrinn;
    l.Qimm = e.Qimm;
    l.tSup = e.tSup;
    l.riservato384 = 0.88;
    l.URD = 85;
    l.flgCx = 0;
    l.flgQimm = 0;
    l.umQrinn = def.UmQrinnDef;
    l.umQimm = def.UmQimmDef;
    l.riservato404 = 0;
    if (codice == 2) {
        l.xPick = 0;
        l.flgXPick = 0;
    }
}

} // namespace tarvelo

namespace tarvelo {

void preparaImpianto(int tipo, TLavoro& l, const TDefault& def) {
    // A new scheme owes nothing to the work before it: the points and
    // treatment records it does not fill must not carry an earlier
    // sequence's values into the file, the log or the sheet.
    l.Punti = {};
    l.NumPunti = 0;
    l.Trattamenti = {};
    l.NumTrattamenti = 0;
    CaricaEsempioImpianto(tipo, l, def);
    l.TipoImpianto = static_cast<std::uint8_t>(tipo);
    if (tipo == 3 || tipo == 4)
        l.flgQimm = 1;
}

} // namespace tarvelo
