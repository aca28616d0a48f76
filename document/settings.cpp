#include "document/settings.h"

#include "document/ini_file.h"
#include "engine/numeric.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace tarvelo {

namespace fs = std::filesystem;

namespace {

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/' && folder.back() != '\\')
        folder += '/';
    return folder;
}

// A folder from the INI file: a drive letter written for another system is
// dropped, and relative folders hang from the data folder.
std::string resolveFolder(std::string value, const std::string& dataFolder) {
    if (value.size() >= 2 && value[1] == ':' && std::isalpha(static_cast<unsigned char>(value[0])))
        value.erase(0, 2);
    if (value.empty())
        return value;
    const std::string native = nativePath(value);
    if (!native.empty() && native.front() == '/')
        return value;
    return dataFolder + value;
}

int byteOption(const IniFile& ini, const char* section, const char* key, int def) {
    const long v = ini.leggiIntero(section, key, def);
    return v >= 0 && v <= 255 ? static_cast<int>(v) : def;
}

std::string cut(std::string s, std::size_t n) {
    return s.size() > n ? s.substr(0, n) : s;
}

} // namespace

TDriveMdl TDriveMdl::crea(const std::string& dataFolder) {
    TDriveMdl d;
    d.dataFolder_ = withSlash(dataFolder);
    IniFile cartelle;
    cartelle.load(d.fileCartelle());
    d.avvisi = cartelle.avvisi();
    d.DIR_ARCHIVI =
        resolveFolder(cartelle.leggiStringa("CARTELLE", "DIR_ARCHIVI", ""), d.dataFolder_);
    d.DIR_UTIL = resolveFolder(cartelle.leggiStringa("CARTELLE", "DIR_UTIL", ""), d.dataFolder_);
    d.DIR_LAVORI =
        resolveFolder(cartelle.leggiStringa("CARTELLE", "DIR_LAVORI", ""), d.dataFolder_);
    d.verifiche = leggiLimitiVerifiche(cartelle, d.avvisi);

    IniFile ini;
    if (!ini.load(d.fileOpzioni()))
        return d;
    d.avvisi.insert(d.avvisi.end(), ini.avvisi().begin(), ini.avvisi().end());
    OpzioniVarie& v = d.varie;
    v.EmulazioneDosInvio = ini.leggiBool("Varie", "EmulazioneDosInvio", true);
    v.Default = ini.leggiBool("Varie", "Default", false);
    v.EC = ini.leggiBool("Varie", "EC", true);
    v.VersoAscensori = ini.leggiBool("Varie", "VersoAscensori", false);
    v.MinSizeFont = byteOption(ini, "Varie", "MinSizeFont", 3);

    OpzioniStampa& s = d.stampa;
    s.BiaNe = ini.leggiBool("Stampa", "BiaNe", false);
    s.MaskData = cut(ini.leggiStringa("Stampa", "MaskData", s.MaskData), 12);
    s.MaskTime = cut(ini.leggiStringa("Stampa", "MaskTime", s.MaskTime), 12);
    s.MaskPagDi = cut(ini.leggiStringa("Stampa", "MaskPagDi", s.MaskPagDi), 12);
    s.StrPag = cut(ini.leggiStringa("Stampa", "StrPag", s.StrPag), 80);
    s.fattoreScalaLpt = ini.leggiIntero("Stampa", "fattoreScalaLpt", 300);
    s.margsxFascicola = ini.leggiIntero("Stampa", "margsxFascicola", 200);
    s.margsxNotFascicola = ini.leggiIntero("Stampa", "margsxNotFascicola", 150);
    s.inteV1 = ini.leggiIntero("Stampa", "inteV1", 10);
    s.inteV2 = ini.leggiIntero("Stampa", "inteV2", 10);
    s.inteV3 = ini.leggiIntero("Stampa", "inteV3", 10);
    s.incHLine = ini.leggiIntero("Stampa", "incHLine", 20);
    s.ofsMarg = ini.leggiIntero("Stampa", "ofsMarg", 12);
    s.incTitolo = ini.leggiIntero("Stampa", "incTitolo", 50);
    s.menoLinee = byteOption(ini, "Stampa", "menoLinee", 1);
    s.ofsMargTesto = ini.leggiIntero("Stampa", "ofsMargTesto", 10);
    s.lptMargineDx = byteOption(ini, "Stampa", "lptMargineDx", 0);
    s.lptMargineBot = byteOption(ini, "Stampa", "lptMargineBot", 45);
    s.lptMargineTop = byteOption(ini, "Stampa", "lptMargineTop", 30);
    s.AllineamentoNPag = byteOption(ini, "Stampa", "AllineamentoNPag", 2);
    return d;
}

Esito TDriveMdl::entraCartellaLavori() const {
    std::string folder = nativePath(DIR_LAVORI);
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder.empty() || ::chdir(folder.c_str()) != 0)
        return Esito::fallito("Non trovo la dir LAVORI: " + DIR_LAVORI);
    return {};
}

std::string locateDataFolder(const std::string& explicitFolder, const std::string& exeFolder) {
    // A relative folder is taken from where the program was started, once:
    // start-up enters the works folder afterwards.
    if (!explicitFolder.empty()) {
        std::error_code ec;
        const fs::path assoluta = fs::absolute(nativePath(explicitFolder), ec);
        return withSlash(ec ? explicitFolder : assoluta.lexically_normal().string());
    }
    // The folder beside the program only when it was set up as a data folder
    // and can be written: an installed program (in /usr/bin) never gets one.
    const std::string beside = withSlash(exeFolder);
    if (!exeFolder.empty() && fileExists(beside + TDriveMdl::NomeCartelle + ".INI") &&
        ::access(nativePath(beside).c_str(), W_OK) == 0)
        return beside;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/')
        return withSlash(xdg) + "tarvelo/";
    const char* home = std::getenv("HOME");
    return withSlash(home && *home ? home : ".") + ".local/share/tarvelo/";
}

Esito preparaCartellaDati(const std::string& dataFolder, std::vector<std::string>& creati) {
    const std::string base = withSlash(dataFolder);
    const std::string folderFile = base + TDriveMdl::NomeCartelle + ".INI";
    if (fileExists(folderFile))
        return {};
    std::error_code ec;
    for (const char* sub : {"", "archivi", "lavori", "util"}) {
        const fs::path p = fs::path(nativePath(base)) / sub;
        if (!fs::exists(p, ec)) {
            fs::create_directories(p, ec);
            if (ec)
                return Esito::fallito("impossibile creare la cartella " + p.string() + ": " +
                                      ec.message());
            creati.push_back(p.string());
        }
    }
    const std::string ini =
        "[CARTELLE]\nDIR_ARCHIVI=archivi/\nDIR_LAVORI=lavori/\nDIR_UTIL=util/\n";
    if (Esito e = replaceFile(folderFile, std::vector<std::uint8_t>(ini.begin(), ini.end())); !e.ok)
        return e;
    creati.push_back(folderFile);

    const std::string options = base + "archivi/" + TDriveMdl::NomeOpzioni + ".INI";
    if (!fileExists(options)) {
        const std::string text =
            "[Varie]\nEmulazioneDosInvio=1\nDefault=0\nEC=1\nVersoAscensori=0\nMinSizeFont=3\n"
            "\n[Stampa]\nBiaNe=0\nMaskData=DD/MM/yyyy\nMaskTime=hh:mm:ss\nMaskPagDi=/\n"
            "fattoreScalaLpt=300\nmargsxFascicola=200\nmargsxNotFascicola=150\n"
            "inteV1=10\ninteV2=10\ninteV3=10\nincHLine=20\nofsMarg=12\nincTitolo=50\n"
            "menoLinee=1\nofsMargTesto=10\nlptMargineDx=0\nlptMargineBot=45\n"
            "lptMargineTop=30\nAllineamentoNPag=2\n";
        if (Esito e = replaceFile(options, std::vector<std::uint8_t>(text.begin(), text.end()));
            !e.ok)
            return e;
        creati.push_back(options);
    }

    const ArchivioDefault archivio(base + "archivi/");
    if (!fileExists(archivio.path())) {
        TDefault d;
        d.UmPortataDef = UmLS;
        d.UmQrinnDef = UmLS;
        d.UmQimmDef = UmLS;
        if (Esito e = archivio.creaSeManca(d); !e.ok)
            return e;
        creati.push_back(archivio.path());
    }
    return {};
}

} // namespace tarvelo
