// The program's command line. Every option is one row of a table (see
// command_line.cpp), which also gives the --help text.
#pragma once

#include <string>
#include <vector>

struct CommandLine {
    enum class Mode { Edit, Batch, MakeSample, Help, Version, Error };
    Mode mode = Mode::Edit;
    // Paths are absolute, taken from the working folder at parse time.
    std::string album;                // ALBUM, opened first; without it a new page
    std::string templatePath;         // --template FILE
    std::vector<std::string> inserts; // --insert PICTURE...
    std::string saveTemplatePath;     // --save-template FILE
    std::string saveAsPath;           // --save-as FILE
    std::string exportPath;           // --export-jpeg FILE
    bool print = false;               // --print
    std::string printPdfPath;         // --print-pdf FILE
    std::string sampleFolder;         // --make-sample FOLDER
    int width = 0;                    // --width N, 0 when not given
    int height = 0;                   // --height N
    int ppi = 0;                      // --ppi N
    std::string error;                // what is wrong (Error)

    // An option that writes a file: the run then needs no window.
    bool HasOutput() const {
        return !saveTemplatePath.empty() || !saveAsPath.empty() || !exportPath.empty() || print ||
               !printPdfPath.empty();
    }
};

// Reads the arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The files a command line names, checked before anything runs so that a bad
// one writes nothing: the template must be a readable file, outputs must be
// able to come into being (an existing, writable folder, and not a folder
// themselves). Pictures are not checked: one that cannot be inserted is named
// as it is, and the run goes on. The one line saying what is wrong, or empty.
std::string CheckCommandLineFiles(const CommandLine& cl);

std::string UsageText();
std::string VersionText();

// The export size for a client area of cw x ch: the client size when neither
// side is given; with one side the other follows the Export dialog's linking
// (height = width / ratio, width = height x ratio, truncated). Both must lie
// in 1...3000; false with error set otherwise.
bool ResolveExportSize(int cw, int ch, int givenWidth, int givenHeight, int& width, int& height,
                       std::string& error);
