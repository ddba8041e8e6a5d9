#pragma once

#include <filesystem>
#include <string>
#include <vector>

// A fresh folder for one test, removed with everything in it afterwards.
class CTestFolder {
  public:
    CTestFolder();
    ~CTestFolder();
    CTestFolder(const CTestFolder&) = delete;
    CTestFolder& operator=(const CTestFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

  private:
    std::filesystem::path m_path;
};

std::filesystem::path SolverDataFile(const std::string& name);
bool IsOnPath(const std::string& program);
void WriteTextFile(const std::filesystem::path& path, const std::string& text);
void WriteScript(const std::filesystem::path& path, const std::string& body);

// nec2c's own output for a deck, run on the clean copy NEC2d would hand it.
std::string Nec2cOwnOutput(const std::filesystem::path& deck);

// What nec2c printed, read with blank-separated tokens (independently of
// NEC2d's column reading): each pattern table's rows and each input
// parameter table's first impedance.
struct Nec2cPatternRow {
    std::string theta, phi, eTheta, ePhi;
};
std::vector<std::vector<Nec2cPatternRow>> Nec2cPatternTables(const std::string& output);
std::vector<std::pair<std::string, std::string>> Nec2cImpedances(const std::string& output);

// Runs a program with arguments; its input is /dev/null, its output and
// errors are captured. `environment` entries "NAME=value" are set, or
// removed when written "NAME" alone.
struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};
ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder,
                      const std::vector<std::string>& environment = {});
