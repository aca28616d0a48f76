// The work file (".TRV"): the 2098-byte document header followed by sheets
// of one work record each; the program reads and writes sheet 1. A file of
// any size other than 14162 bytes holds the older 12048-byte sheet, which is
// converted on reading.
#pragma once

#include "document/defaults_archive.h"
#include "document/file_io.h"
#include "document/work_records.h"

#include <string>

namespace tarvelo {

inline constexpr std::size_t DimFileCorrente = TTestataLavoro::Size + TLavoro::Size; // 14162
inline constexpr std::size_t DimFoglioVecchio = 12048;
inline constexpr const char* FirmaCorrente = "TRV~202";

enum class Riconoscimento { Riconosciuto, NonRiconosciuto, Mancante };

struct TestataLetta {
    Riconoscimento esito = Riconoscimento::NonRiconosciuto;
    TTestataLavoro testata;
    int versione = 0;
    Esito io; // a header that could not be read whole
};

// Recognises a work file by its signature and reads its header. A missing
// file is reported as such (the caller starts a new header).
TestataLetta leggiTestata(const std::string& path);

struct FoglioLetto {
    TLavoro lavoro;
    bool vecchioFormato = false;
};

// Reads sheet 1 (converting the older layout), then replaces its chart
// header by the catalogue's: the copy in the file is not trusted. Fails,
// touching nothing outside `out`, when the file is short or the chart is
// not in the catalogue.
Esito leggiFoglio(const std::string& path, const ArchivioDefault& archivio, FoglioLetto& out);

// The older sheet converted field by field into the current record.
void convertiFoglioVecchio(bytes::ConstImage vecchio, TLavoro& out);

// Writes header and sheet 1 so that the previous file survives any failure.
// A longer existing file is never silently cut: its whole previous content
// is kept beside it as "<file>.bak" (or the first free "<file>.N.bak")
// before the current layout replaces it
// (bytes left after sheet 1 would make the file read back as the older
// layout).
Esito scriviFileLavoro(const std::string& path, const TTestataLavoro& testata,
                       const TLavoro& lavoro);

// A chosen path split into name (without extension), extension and folder.
// Delimiters are "/" and "\" (a colon is an ordinary character here, not a
// drive); the extension starts at the last "." not followed by a delimiter
// and is kept to four characters ("." alone when there is none).
struct PercorsoDiviso {
    std::string nome, estensione, cartella;
};
PercorsoDiviso dividiPercorso(const std::string& path);

} // namespace tarvelo
