// Where a command's output goes when the path is a link or a pipe, and a
// standard output that cannot take the result.
#include "app/cli/command_line.h"
#include "app/cli/output_file.h"
#include "app/cli/stato_command.h"
#include "support/fake_chart_services.h"
#include "support/pipe_reader.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <sys/stat.h>

namespace tarvelo::cli {
namespace {

using test::TempDir;
namespace fs = std::filesystem;

TEST(OutputFile, ALinkIsWrittenThroughAndAPipeAsItStands) {
    TempDir dir;
    std::ostringstream nessuno;
    std::string errore;
    TempDir::writeText(dir.file("vero.csv"), "vecchio");
    fs::create_symlink(dir.file("vero.csv"), dir.file("link.csv"));
    {
        OutputFile f(dir.file("link.csv"), nessuno);
        ASSERT_TRUE(f.isOpen());
        f.stream() << "nuovo\n";
        ASSERT_TRUE(f.commit(errore)) << errore;
    }
    EXPECT_TRUE(fs::is_symlink(dir.file("link.csv")));
    const auto vero = TempDir::read(dir.file("vero.csv"));
    EXPECT_EQ(std::string(vero.begin(), vero.end()), "nuovo\n");

    const std::string pipe = dir.file("tubo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const test::LettorePipe lettore(pipe);
    ASSERT_TRUE(lettore.aperto());
    {
        OutputFile f(pipe, nessuno);
        ASSERT_TRUE(f.isOpen());
        f.stream() << "riga\n";
        ASSERT_TRUE(f.commit(errore)) << errore;
    }
    EXPECT_EQ(lettore.leggiTutto(), "riga\n");
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_FALSE(fs::exists(pipe + ".part"));
}

TEST(OutputFile, AStandardOutputThatFailsIsReported) {
    TempDir dir;
    test::FakeServices services;
    CommandLineContext context;
    context.chart = &services;
    std::istringstream in;
    std::ostringstream e;
    std::ostream pieno(nullptr); // takes nothing, as /dev/full
    const std::vector<std::string> args = {"--dati", dir.prefix() + "dati", "chart", "elenco"};
    EXPECT_EQ(runCommandLine(args, context, in, pieno, e), ExitIo);
    EXPECT_NE(e.str().find("standard output"), std::string::npos) << e.str();
}

} // namespace
} // namespace tarvelo::cli
