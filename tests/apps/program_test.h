// What the tests of the programs share: a scratch folder of each test's own,
// files written into it and read back, and a run of the program through the
// shell with its standard input, output and error in files of that folder.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

struct TRun {
  int Status; // the exit status, -1 when the program did not exit
  std::string Out;
  std::string Err;
};

class TProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    FDir = fs::temp_directory_path() /
           (std::string(::testing::UnitTest::GetInstance()->current_test_suite()->name()) + "_" +
            std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(FDir);
  }
  void TearDown() override { fs::remove_all(FDir); }

  std::string WriteFile(const std::string& Name, const std::string& Content) {
    const fs::path Path = FDir / Name;
    std::ofstream(Path, std::ios::binary) << Content;
    return Path.string();
  }

  static std::string Read(const fs::path& Path) {
    std::ifstream In(Path, std::ios::binary);
    std::stringstream S;
    S << In.rdbuf();
    return S.str();
  }

  // Runs Program with Args (already quoted for the shell) and Input on its
  // standard input; Environment (assignments, or "env -u NAME") goes first.
  TRun RunProgram(const std::string& Environment, const std::string& Program,
                  const std::string& Args, const std::string& Input = "") {
    const std::string In = WriteFile("stdin.txt", Input);
    const fs::path Out = FDir / "stdout.txt";
    const fs::path Err = FDir / "stderr.txt";
    const std::string Command = Environment + " '" + Program + "' " + Args + " <'" + In + "' >'" +
                                Out.string() + "' 2>'" + Err.string() + "'";
    const int Raw = std::system(Command.c_str());
    return {WIFEXITED(Raw) ? WEXITSTATUS(Raw) : -1, Read(Out), Read(Err)};
  }

  fs::path FDir;
};
