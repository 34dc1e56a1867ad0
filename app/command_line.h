// The program's command line.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    enum class Mode { Edit, Export, Print, MakeSample, Help, Version, Error };
    Mode mode = Mode::Edit;
    std::string album;        // album to open (Edit, Export)
    std::string exportPath;   // --export-jpeg FILE
    std::string sampleFolder; // --make-sample FOLDER
    std::string printPdfPath; // --print-pdf FILE; empty with --print
    int width = 0;            // --width N, 0 when not given
    int height = 0;           // --height N
    int ppi = 0;              // --ppi N
    std::string error;        // what is wrong (Error)
};

// Reads the arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();
std::string VersionText();

// The export size for a client area of cw x ch: the client size when neither
// side is given; with one side the other follows the Export dialog's linking
// (height = width / ratio, width = height x ratio, truncated). Both must lie
// in 1...3000; false with error set otherwise.
bool ResolveExportSize(int cw, int ch, int givenWidth, int givenHeight, int& width, int& height,
                       std::string& error);
