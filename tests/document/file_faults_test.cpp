// Faults of the disk injected under the file layer: the flush to the disk
// or the final rename fails. This program's own fsync and rename stand in
// front of the C library's (the linker takes the executable's definition
// first) and fail on demand; otherwise they pass the call to the kernel.
#include "document/file_io.h"
#include "document/work_file.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

enum class Guasto { Nessuno, Fsync, Rename };
std::atomic<Guasto> guasto{Guasto::Nessuno};
std::atomic<int> chiamate{0};

} // namespace

extern "C" int fsync(int fd) {
    if (guasto == Guasto::Fsync) {
        ++chiamate;
        errno = EIO;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_fsync, fd));
}

extern "C" int rename(const char* da, const char* a) noexcept {
    if (guasto == Guasto::Rename) {
        ++chiamate;
        errno = ENOSPC;
        return -1;
    }
    return static_cast<int>(::syscall(SYS_renameat, AT_FDCWD, da, AT_FDCWD, a));
}

namespace tarvelo {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

struct ConGuasto {
    explicit ConGuasto(Guasto g) {
        chiamate = 0;
        guasto = g;
    }
    ~ConGuasto() { guasto = Guasto::Nessuno; }
};

struct Caso {
    Guasto guasto;
    const char* messaggio;
};

void PrintTo(const Caso& c, std::ostream* os) {
    *os << (c.guasto == Guasto::Fsync ? "fsync" : "rename");
}

class FaultInjection : public ::testing::TestWithParam<Caso> {};

TEST_P(FaultInjection, TheOldFileSurvivesWithTheReason) {
    TempDir dir;
    const std::string path = dir.file("uffici.TRV");
    const std::vector<std::uint8_t> vecchio = {'v', 'e', 'c', 'c', 'h', 'i', 'o'};
    ASSERT_TRUE(replaceFile(path, vecchio).ok);
    Esito e;
    {
        ConGuasto g(GetParam().guasto);
        e = replaceFile(path, std::vector<std::uint8_t>(5000, 'n'));
        EXPECT_EQ(chiamate, 1); // the fault was reached, not stepped round
    }
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find("uffici.TRV"), std::string::npos) << e.errore;
    EXPECT_NE(e.errore.find(GetParam().messaggio), std::string::npos) << e.errore;
    EXPECT_EQ(TempDir::read(path), vecchio);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"uffici.TRV"});
    // Once the disk behaves again the same save goes through.
    EXPECT_TRUE(replaceFile(path, std::vector<std::uint8_t>(5000, 'n')).ok);
    EXPECT_EQ(TempDir::read(path).size(), 5000u);
}

TEST_P(FaultInjection, ASavedWorkSurvivesAFailedSaveOverIt) {
    TempDir dir;
    const std::string path = dir.file("uffici.TRV");
    TTestataLavoro testata;
    testata.Firma.assegna(FirmaCorrente);
    TLavoro lavoro;
    lavoro.Descrizione.assegna("Prima versione");
    ASSERT_TRUE(scriviFileLavoro(path, testata, lavoro).ok);
    const auto salvato = TempDir::read(path);
    lavoro.Descrizione.assegna("Seconda versione");
    Esito e;
    {
        ConGuasto g(GetParam().guasto);
        e = scriviFileLavoro(path, testata, lavoro);
    }
    EXPECT_FALSE(e.ok);
    EXPECT_NE(e.errore.find(GetParam().messaggio), std::string::npos) << e.errore;
    EXPECT_EQ(TempDir::read(path), salvato);
    EXPECT_EQ(dir.names(), std::vector<std::string>{"uffici.TRV"});
}

INSTANTIATE_TEST_SUITE_P(Disco, FaultInjection,
                         ::testing::Values(Caso{Guasto::Fsync, "errore del disco"},
                                           Caso{Guasto::Rename, "il disco è pieno"}),
                         [](const ::testing::TestParamInfo<Caso>& i) {
                             return i.param.guasto == Guasto::Fsync ? "fsync" : "rename";
                         });

} // namespace
} // namespace tarvelo
