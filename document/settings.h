// The settings object: where the program's files are (the folder file
// TARVEX.INI, section "CARTELLE") and the options of TRV.INI in the archives
// folder. Folders are prefixes: a file's path is the folder followed by its
// name, with nothing added in between.
//
// On this system the folder file lives in a data folder: beside the
// executable for a portable install, else $XDG_DATA_HOME/tarvelo (by default
// ~/.local/share/tarvelo), or the folder named with --dati. Folders in the
// INI file may use "/" or "\"; a relative one is taken from the data folder.
#pragma once

#include "document/check_limits.h"
#include "document/defaults_archive.h"
#include "document/file_io.h"

#include <string>
#include <vector>

namespace tarvelo {

struct OpzioniVarie {
    bool EmulazioneDosInvio = true; // Enter moves to the next field
    bool Default = false;
    bool EC = true;
    bool VersoAscensori = false;
    int MinSizeFont = 3;
};

// Read and kept; no command depends on them.
struct OpzioniStampa {
    bool BiaNe = false;
    std::string MaskData = "DD/MM/yyyy";
    std::string MaskTime = "hh:mm:ss";
    std::string MaskPagDi = "/";
    std::string StrPag = "pag. ";
    long fattoreScalaLpt = 300;
    long margsxFascicola = 200;
    long margsxNotFascicola = 150;
    long inteV1 = 10, inteV2 = 10, inteV3 = 10;
    long incHLine = 20;
    long ofsMarg = 12;
    long incTitolo = 50;
    int menoLinee = 1;
    long ofsMargTesto = 10;
    int lptMargineDx = 0;
    int lptMargineBot = 45;
    int lptMargineTop = 30;
    int AllineamentoNPag = 2;
};

class TDriveMdl {
  public:
    static constexpr const char* NomeCartelle = "TARVEX"; // TARVEX.INI
    static constexpr const char* NomeOpzioni = "TRV";     // TRV.INI

    // Reads the folder file of `dataFolder` and the options file. A missing
    // options file gives the defaults silently.
    static TDriveMdl crea(const std::string& dataFolder);

    std::string DIR_UTIL, DIR_ARCHIVI, DIR_LAVORI;
    OpzioniVarie varie;
    OpzioniStampa stampa;
    LimitiVerifiche verifiche;       // [VERIFICHE] of the folder file
    std::vector<std::string> avvisi; // lines of the INI files that were left out

    std::string fileCartelle() const { return dataFolder_ + NomeCartelle + ".INI"; }
    std::string fileOpzioni() const { return DIR_ARCHIVI + NomeOpzioni + ".INI"; }
    ArchivioDefault archivio() const { return ArchivioDefault(DIR_ARCHIVI); }

    // Makes the works folder the current directory; on failure the message
    // "Non trovo la dir LAVORI: " + DIR_LAVORI, and the program carries on.
    Esito entraCartellaLavori() const;

  private:
    std::string dataFolder_; // ends with "/"
};

// Where the data folder is: `explicitFolder` when given (--dati), else the
// executable's folder when it holds TARVEX.INI, else the user's data folder.
std::string locateDataFolder(const std::string& explicitFolder, const std::string& exeFolder);

// First run: when `dataFolder` has no TARVEX.INI, creates the folder file
// naming archivi/, lavori/ and util/, those folders, the options file with
// its defaults and the defaults archive with its 8-byte record (flow units
// l/s). Nothing that exists is overwritten. Returns what was created.
Esito preparaCartellaDati(const std::string& dataFolder, std::vector<std::string>& creati);

} // namespace tarvelo
