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
    EXPECT_NE(e.errore.find("è una cartella"), std::string::npos) << e.errore;
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

TEST(ReplaceFile, ALinkThatLeadsNowhereIsRefusedAndStaysALink) {
    TempDir dir;
    fs::create_symlink(dir.file("sparito.TRV"), dir.file("orfano.TRV"));
    fs::create_symlink(dir.file("giro.TRV"), dir.file("giro.TRV"));
    struct Caso {
        const char* nome;
        const char* causa;
    };
    for (const Caso c : {Caso{"orfano.TRV", "non esiste"}, Caso{"giro.TRV", "se stesso"}}) {
        const Esito e = replaceFile(dir.file(c.nome), Dati);
        EXPECT_FALSE(e.ok) << c.nome;
        EXPECT_NE(e.errore.find(c.causa), std::string::npos) << e.errore;
        EXPECT_TRUE(fs::is_symlink(dir.file(c.nome)));
    }
    EXPECT_EQ(dir.names(), (std::vector<std::string>{"giro.TRV", "orfano.TRV"}));
}

TEST(ReplaceFile, NamesOfEveryLengthAndBytesAreWritten) {
    // The temporary name is shortened to fit beside the longest name a
    // folder takes; a name that is not UTF-8 is bytes like any other.
    TempDir dir;
    for (const std::string& nome :
         {std::string(255, 'n'), std::string(250, 'n') + ".TRV", std::string("caf\xe9 \xff.pdf")}) {
        ASSERT_TRUE(replaceFile(dir.file(nome), Dati).ok) << nome.size();
        ASSERT_TRUE(replaceFile(dir.file(nome), Dati).ok) << nome.size(); // over itself
        EXPECT_EQ(TempDir::read(dir.file(nome)), Dati);
    }
    EXPECT_EQ(dir.names().size(), 3u);
}

TEST(ReplaceFile, TwoProcessesSavingOneFileBothSucceedAndOneOfThemIsWhole) {
    // Each process has a temporary file of its own: neither renames the
    // other's, and the last rename is the file.
    TempDir dir;
    const std::string path = dir.file("comune.pdf");
    const std::vector<std::uint8_t> a(100000, 'A'), b(70000, 'B');
    pid_t figli[2];
    for (int n = 0; n < 2; ++n) {
        figli[n] = ::fork();
        ASSERT_GE(figli[n], 0);
        if (figli[n] == 0) {
            int falliti = 0;
            for (int i = 0; i < 100; ++i)
                falliti += replaceFile(path, n ? b : a, Scrittura::Rapporto).ok ? 0 : 1;
            ::_exit(falliti);
        }
    }
    for (const pid_t figlio : figli) {
        int stato = -1;
        ::waitpid(figlio, &stato, 0);
        EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0) << "fallite: " << stato;
    }
    const auto letto = TempDir::read(path);
    EXPECT_TRUE(letto == a || letto == b) << letto.size();
    EXPECT_EQ(dir.names(), std::vector<std::string>{"comune.pdf"});
}

TEST(BloccoEsclusivo, ASecondProcessWaitsForTheFirst) {
    // The child takes the lock, writes its mark after a pause and lets go;
    // the parent, asking for the lock meanwhile, must find the mark there.
    for (const bool cartella : {false, true}) {
        TempDir dir;
        const std::string blocco = cartella ? dir.prefix() : dir.file("archivio.lock");
        int tubo[2];
        ASSERT_EQ(::pipe(tubo), 0);
        const pid_t figlio = ::fork();
        ASSERT_GE(figlio, 0);
        if (figlio == 0) {
            const BloccoEsclusivo b(blocco);
            char c = b.preso() ? 'y' : 'n';
            (void)!::write(tubo[1], &c, 1);
            ::usleep(200000);
            TempDir::write(dir.file("segno"), Dati);
            ::_exit(0);
        }
        char c = 0;
        ASSERT_EQ(::read(tubo[0], &c, 1), 1);
        EXPECT_EQ(c, 'y');
        {
            const BloccoEsclusivo b(blocco);
            EXPECT_TRUE(b.preso());
            EXPECT_TRUE(fileExists(dir.file("segno"))) << (cartella ? "cartella" : "file");
        }
        ::waitpid(figlio, nullptr, 0);
        ::close(tubo[0]);
        ::close(tubo[1]);
    }
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
    EXPECT_EQ(dir.names(), std::vector<std::string>{"uffici.TRV"});
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
