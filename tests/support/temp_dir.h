// A scratch folder per test, removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace tarvelo::test {

class TempDir {
  public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tarvelo-" + std::string(info ? info->test_suite_name() : "x") + "-" +
                 std::string(info ? info->name() : "y") + "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder as a prefix, ending with "/".
    std::string prefix() const { return path_.string() + "/"; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

    static void write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
    }
    static void writeText(const std::string& path, const std::string& text) {
        std::ofstream f(path, std::ios::binary | std::ios::trunc);
        f << text;
    }
    static std::vector<std::uint8_t> read(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }

    // The names in the folder, sorted: what a failed write left behind.
    std::vector<std::string> names() const {
        std::vector<std::string> n;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            n.push_back(e.path().filename().string());
        std::sort(n.begin(), n.end());
        return n;
    }

  private:
    std::filesystem::path path_;
};

} // namespace tarvelo::test
