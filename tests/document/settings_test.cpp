#include "document/ini_file.h"
#include "document/settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

namespace tarvelo {
namespace {

using test::TempDir;

TEST(Settings, FoldersAreReadFromTheFolderFileAndUsedAsPrefixes) {
    TempDir dir;
    TempDir::writeText(dir.file("TARVEX.INI"),
                       "[Cartelle]\ndir_archivi=arc\\\nDIR_LAVORI=/srv/lav/\n"
                       "DIR_UTIL=ut\n");
    const TDriveMdl s = TDriveMdl::crea(dir.prefix());
    EXPECT_EQ(s.DIR_ARCHIVI, dir.prefix() + "arc\\");
    EXPECT_EQ(s.DIR_LAVORI, "/srv/lav/");
    // Without its final separator a folder glues onto the names after it.
    EXPECT_EQ(s.DIR_UTIL, dir.prefix() + "ut");
    EXPECT_EQ(s.DIR_UTIL + "TARVEX.HLP", dir.prefix() + "utTARVEX.HLP");
    EXPECT_EQ(s.fileOpzioni(), dir.prefix() + "arc\\TRV.INI");
    EXPECT_EQ(nativePath(s.fileOpzioni()), dir.prefix() + "arc/TRV.INI");
}

TEST(Settings, MissingKeysGiveEmptyFoldersAndMissingOptionsTheDefaults) {
    TempDir dir;
    const TDriveMdl s = TDriveMdl::crea(dir.prefix());
    EXPECT_EQ(s.DIR_ARCHIVI, "");
    EXPECT_EQ(s.DIR_LAVORI, "");
    EXPECT_TRUE(s.varie.EmulazioneDosInvio);
    EXPECT_EQ(s.stampa.StrPag, "pag. ");
    EXPECT_EQ(s.stampa.lptMargineBot, 45);
    const Esito e = s.entraCartellaLavori();
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.errore, "Non trovo la dir LAVORI: ");
}

TEST(Settings, OptionsWithTheirDefaultsAndTheByteRule) {
    TempDir dir;
    TempDir::writeText(dir.file("TARVEX.INI"), "[CARTELLE]\nDIR_ARCHIVI=./\n");
    TempDir::writeText(dir.file("TRV.INI"),
                       "[Varie]\nEmulazioneDosInvio=0\nMinSizeFont=7\n"
                       "[Stampa]\nlptMargineBot=300\nlptMargineTop=12\nAllineamentoNPag=-1\n"
                       "MaskData=DD/MM/yyyy hh:nn:ss\nfattoreScalaLpt=600\nmenoLinee=abc\n");
    const TDriveMdl s = TDriveMdl::crea(dir.prefix());
    EXPECT_FALSE(s.varie.EmulazioneDosInvio);
    EXPECT_EQ(s.varie.MinSizeFont, 7);
    EXPECT_EQ(s.stampa.lptMargineBot, 45); // 300 is not a byte: default
    EXPECT_EQ(s.stampa.lptMargineTop, 12);
    EXPECT_EQ(s.stampa.AllineamentoNPag, 2);
    EXPECT_EQ(s.stampa.MaskData, "DD/MM/yyyy h"); // cut to 12
    EXPECT_EQ(s.stampa.fattoreScalaLpt, 600);
    EXPECT_EQ(s.stampa.menoLinee, 1);
    EXPECT_TRUE(s.varie.EC);
}

TEST(Settings, IntegersAtAndBeyondTheLimitsOfLong) {
    TempDir dir;
    TempDir::writeText(dir.file("T.INI"), "[S]\na=--9223372036854775808\nb=-9223372036854775808\n"
                                          "c=9223372036854775807\nd=9223372036854775808\n"
                                          "e=+-1\nf=-$10\ng=0x\n");
    IniFile ini;
    ASSERT_TRUE(ini.load(dir.file("T.INI")));
    const std::pair<const char*, long> casi[] = {{"a", 7},
                                                 {"b", std::numeric_limits<long>::min()},
                                                 {"c", std::numeric_limits<long>::max()},
                                                 {"d", 7},
                                                 {"e", 7},
                                                 {"f", -16},
                                                 {"g", 7}};
    for (const auto& [chiave, atteso] : casi)
        EXPECT_EQ(ini.leggiIntero("S", chiave, 7), atteso) << chiave;
}

TEST(Settings, OverlongLinesAreLeftOutNotCut) {
    TempDir dir;
    const std::string longFolder = "/srv/" + std::string(230, 'a') + "/";
    TempDir::writeText(dir.file("TARVEX.INI"),
                       "[CARTELLE]\nDIR_ARCHIVI=" + longFolder + "\nDIR_LAVORI=C:\\LAVORI\\\n");
    const TDriveMdl s = TDriveMdl::crea(dir.prefix());
    EXPECT_EQ(s.DIR_ARCHIVI, ""); // as if missing, never a shorter folder
    ASSERT_EQ(s.avvisi.size(), 1u);
    EXPECT_NE(s.avvisi[0].find("riga 2"), std::string::npos);
    // A drive letter written for another system is dropped.
    EXPECT_EQ(s.DIR_LAVORI, "\\LAVORI\\");
}

TEST(Settings, EntersTheWorksFolder) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("lavori"));
    TempDir::writeText(dir.file("TARVEX.INI"), "[CARTELLE]\nDIR_LAVORI=lavori\\\n");
    const auto before = std::filesystem::current_path();
    const TDriveMdl s = TDriveMdl::crea(dir.prefix());
    EXPECT_TRUE(s.entraCartellaLavori().ok);
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(dir.file("lavori")));
    std::filesystem::current_path(before);
}

TEST(DataFolder, ExplicitThenBesideTheProgramThenTheUsersFolder) {
    TempDir dir;
    EXPECT_EQ(locateDataFolder("/x/y", dir.prefix()), "/x/y/");
    // A relative folder is resolved at once against the current folder.
    EXPECT_EQ(locateDataFolder("progetti/../dati", dir.prefix()),
              std::filesystem::current_path().string() + "/dati/");
    EXPECT_NE(locateDataFolder("", dir.prefix()), dir.prefix());
    TempDir::writeText(dir.file("TARVEX.INI"), "[CARTELLE]\n");
    EXPECT_EQ(locateDataFolder("", dir.prefix()), dir.prefix());
    // Not when the program's folder cannot be written (an installed program).
    if (::geteuid() != 0) {
        std::filesystem::permissions(dir.prefix(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::remove);
        EXPECT_NE(locateDataFolder("", dir.prefix()), dir.prefix());
        std::filesystem::permissions(dir.prefix(), std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    }

    TempDir other;
    const char* home = std::getenv("HOME");
    const std::string savedHome = home ? home : "";
    ::setenv("XDG_DATA_HOME", "/tmp/xdg-test", 1);
    EXPECT_EQ(locateDataFolder("", other.prefix()), "/tmp/xdg-test/tarvelo/");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/progettista", 1);
    EXPECT_EQ(locateDataFolder("", other.prefix()), "/home/progettista/.local/share/tarvelo/");
    ::setenv("HOME", savedHome.c_str(), 1);
}

TEST(DataFolder, FirstRunCreatesAWorkingLayoutAndOverwritesNothing) {
    TempDir dir;
    const std::string data = dir.prefix() + "nuova/";
    std::vector<std::string> created;
    ASSERT_TRUE(preparaCartellaDati(data, created).ok);
    EXPECT_EQ(created.size(), 7u); // 4 folders, the two INI files and the archive
    const TDriveMdl s = TDriveMdl::crea(data);
    EXPECT_EQ(s.DIR_ARCHIVI, data + "archivi/");
    EXPECT_EQ(s.DIR_LAVORI, data + "lavori/");
    EXPECT_EQ(s.DIR_UTIL, data + "util/");
    EXPECT_TRUE(s.varie.EmulazioneDosInvio);
    EXPECT_EQ(s.stampa.lptMargineTop, 30);
    TDefault d;
    ASSERT_TRUE(s.archivio().leggiDefault(d).ok);
    EXPECT_EQ(d.UmPortataDef, 1);
    EXPECT_EQ(d.UmQrinnDef, 1);
    EXPECT_EQ(d.UmQimmDef, 1);
    EXPECT_EQ(d.NumChart, 0);
    EXPECT_EQ(TempDir::read(s.archivio().path()).size(), 8u);

    // A second run finds the folder file and leaves everything alone.
    TempDir::writeText(data + "archivi/TRV.INI", "[Varie]\nEmulazioneDosInvio=0\n");
    created.clear();
    ASSERT_TRUE(preparaCartellaDati(data, created).ok);
    EXPECT_TRUE(created.empty());
    EXPECT_FALSE(TDriveMdl::crea(data).varie.EmulazioneDosInvio);
}

TEST(DataFolder, AnExistingArchiveIsKeptWhenTheFolderFileIsMissing) {
    TempDir dir;
    std::filesystem::create_directories(dir.file("archivi"));
    TempDir::write(dir.file("archivi/ARCTRV.TVX"), {3, 0, 5, 0, 2, 2, 2, 0, 9, 9});
    std::vector<std::string> created;
    ASSERT_TRUE(preparaCartellaDati(dir.prefix(), created).ok);
    EXPECT_EQ(TempDir::read(dir.file("archivi/ARCTRV.TVX")),
              (std::vector<std::uint8_t>{3, 0, 5, 0, 2, 2, 2, 0, 9, 9}));
}

} // namespace
} // namespace tarvelo
