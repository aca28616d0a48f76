// Replacing files whatever stands at the path: a pipe, a folder, a link, a
// read-only file, and the leftovers of saves that were killed.
#include "document/file_io.h"
#include "support/pipe_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace tarvelo {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

const std::vector<std::uint8_t> Dati = {'T', 'R', 'V', '\n'};

TEST(ReplaceFile, APipeIsWrittenThroughAndStaysAPipe) {
    TempDir dir;
    const std::string pipe = dir.file("tubo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const test::LettorePipe lettore(pipe);
    ASSERT_TRUE(lettore.aperto());
    ASSERT_TRUE(replaceFile(pipe, Dati).ok);
    EXPECT_EQ(lettore.leggiTutto(), "TRV\n");
    EXPECT_TRUE(fs::is_fifo(pipe));
}

TEST(ReplaceFile, APipeNobodyReadsIsReportedNotWaitedFor) {
    TempDir dir;
    const std::string pipe = dir.file("tubo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const Esito e = replaceFile(pipe, Dati);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("nessun programma"), std::string::npos) << e.errore;
    EXPECT_TRUE(fs::is_fifo(pipe));
}

TEST(ReplaceFile, AFolderIsNotReplacedByAFile) {
    TempDir dir;
    fs::create_directories(dir.file("cartella"));
    const Esito e = replaceFile(dir.file("cartella"), Dati);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("non è un file"), std::string::npos) << e.errore;
    EXPECT_TRUE(fs::is_directory(dir.file("cartella")));
}

TEST(ReplaceFile, ALinkIsWrittenThrough) {
    TempDir dir;
    TempDir::write(dir.file("vero.TRV"), {1, 2});
    fs::create_symlink(dir.file("vero.TRV"), dir.file("collegamento.TRV"));
    ASSERT_TRUE(replaceFile(dir.file("collegamento.TRV"), Dati).ok);
    EXPECT_TRUE(fs::is_symlink(dir.file("collegamento.TRV")));
    EXPECT_EQ(TempDir::read(dir.file("vero.TRV")), Dati);
}

TEST(ReplaceFile, OldLeftoversOfKilledSavesAreTakenAwayRecentOnesKept) {
    TempDir dir;
    const std::string vecchio = dir.file(".uffici.TRV.tmp~");
    const std::string recente = dir.file(".scuola.TRV.tmp~");
    const std::string altro = dir.file("appunti.tmp~"); // not one of ours
    for (const std::string& f : {vecchio, recente, altro})
        TempDir::write(f, {0});
    fs::last_write_time(vecchio, fs::file_time_type::clock::now() - std::chrono::hours(2));
    fs::last_write_time(altro, fs::file_time_type::clock::now() - std::chrono::hours(2));
    ASSERT_TRUE(replaceFile(dir.file("ospedale.TRV"), Dati).ok);
    EXPECT_FALSE(fs::exists(vecchio));
    EXPECT_TRUE(fs::exists(recente)); // a save that may still be running
    EXPECT_TRUE(fs::exists(altro));
    EXPECT_EQ(TempDir::read(dir.file("ospedale.TRV")), Dati);
}

TEST(ReplaceFile, AWriteThatFailsLeavesTheOldFileAndNoLeftover) {
    // The disk refuses the bytes halfway (a file-size limit stands in for a
    // full disk): the old file stays whole, the message names it.
    TempDir dir;
    const std::string path = dir.file("uffici.TRV");
    TempDir::write(path, Dati);
    const std::vector<std::uint8_t> grande(1 << 20, 0x5A);
    rlimit prima{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &prima), 0);
    const auto segnale = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limite = prima;
    limite.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limite), 0);
    const Esito e = replaceFile(path, grande);
    ::setrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, segnale);
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("uffici.TRV"), std::string::npos) << e.errore;
    EXPECT_EQ(TempDir::read(path), Dati);
    EXPECT_FALSE(fs::exists(dir.file(".uffici.TRV.tmp~")));
}

TEST(ReplaceFile, KilledWhileSavingTheOldOrTheNewFileIsWhole) {
    // A child saves two versions in turn over the same file and is killed at
    // a different moment each time: the file is always one of them, whole.
    TempDir dir;
    const std::string path = dir.file("lavoro.TRV");
    const std::vector<std::uint8_t> a(300000, 'A'), b(200000, 'B');
    TempDir::write(path, a);
    for (int prova = 0; prova < 40; ++prova) {
        const pid_t figlio = ::fork();
        ASSERT_GE(figlio, 0);
        if (figlio == 0) {
            for (int i = 0;; ++i)
                replaceFile(path, i % 2 ? a : b);
        }
        ::usleep(static_cast<useconds_t>(200 + prova * 137 % 3000));
        ::kill(figlio, SIGKILL);
        int stato = 0;
        ::waitpid(figlio, &stato, 0);
        const auto letto = TempDir::read(path);
        ASSERT_TRUE(letto == a || letto == b) << "prova " << prova << ": " << letto.size();
    }
}

} // namespace
} // namespace tarvelo
