#include "app/command_line.h"

#include <cstdio>

namespace {

// A decimal number of at most 9 digits, nothing else.
bool ParseCount(const std::string& text, int& value) {
    if (text.empty() || text.size() > 9)
        return false;
    int v = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

CommandLine Fail(const std::string& error) {
    CommandLine cl;
    cl.mode = CommandLine::Mode::Error;
    cl.error = error;
    return cl;
}

} // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    bool exportGiven = false;
    bool printGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") {
            cl.mode = CommandLine::Mode::Help;
            return cl;
        } else if (a == "--version") {
            cl.mode = CommandLine::Mode::Version;
            return cl;
        } else if (a == "--export-jpeg") {
            if (!value(cl.exportPath) || cl.exportPath.empty())
                return Fail("--export-jpeg needs the file to write");
            exportGiven = true;
        } else if (a == "--print") {
            printGiven = true;
        } else if (a == "--print-pdf") {
            if (!value(cl.printPdfPath) || cl.printPdfPath.empty())
                return Fail("--print-pdf needs the PDF file to write");
            printGiven = true;
        } else if (a == "--make-sample") {
            if (!value(cl.sampleFolder) || cl.sampleFolder.empty())
                return Fail("--make-sample needs a folder");
            cl.mode = CommandLine::Mode::MakeSample;
        } else if (a == "--width" || a == "--height" || a == "--ppi") {
            int n = 0;
            if (!value(v) || !ParseCount(v, n))
                return Fail(a + " needs a whole positive number, not \"" + v + "\"");
            if (a == "--ppi") {
                if (n < 1 || n > 1000)
                    return Fail("--ppi must lie between 1 and 1000");
                cl.ppi = n;
            } else {
                if (n < 1 || n > 3000)
                    return Fail(a + " must lie between 1 and 3000");
                (a == "--width" ? cl.width : cl.height) = n;
            }
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            return Fail("unknown option " + a);
        } else {
            if (!cl.album.empty())
                return Fail("only one album may be given");
            cl.album = a;
        }
    }
    if (printGiven) {
        if (exportGiven)
            return Fail("printing and --export-jpeg do not go together");
        if (cl.album.empty())
            return Fail("printing needs the album to print");
        cl.mode = CommandLine::Mode::Print;
    }
    if (exportGiven) {
        if (cl.album.empty())
            return Fail("--export-jpeg needs the album to export");
        cl.mode = CommandLine::Mode::Export;
    } else if ((cl.width || cl.height) && cl.mode != CommandLine::Mode::MakeSample) {
        return Fail("--width and --height go with --export-jpeg");
    }
    return cl;
}

std::string UsageText() {
    return "Usage: zelbrin [OPTIONS] [ALBUM]\n"
           "Lays out one photo-album page: pictures and texts, printed or exported.\n"
           "\n"
           "  ALBUM                 the album (.alb) to open; without it a new page\n"
           "  --export-jpeg FILE    write the page of ALBUM as a JPEG picture and exit\n"
           "  --width N, --height N size of the exported picture (1 to 3000 pixels);\n"
           "                        with one of them the other keeps the page's proportions,\n"
           "                        without both the page is exported at its size on screen\n"
           "  --ppi N               pixels per inch of the page on screen (otherwise\n"
           "                        derived from the screen's height)\n"
           "  --print               print ALBUM on the default printer, without a dialog\n"
           "  --print-pdf FILE      print ALBUM as --print does, into a PDF file with the\n"
           "                        default printer's paper and margins\n"
           "  --make-sample FOLDER  write a sample album with pictures into FOLDER and exit\n"
           "  --help                show this text\n"
           "  --version             show the version\n";
}

std::string VersionText() {
    return "Zelbrin 1.4\n";
}

bool ResolveExportSize(int cw, int ch, int givenWidth, int givenHeight, int& width, int& height,
                       std::string& error) {
    if (cw <= 0 || ch <= 0) {
        error = "the page has no size";
        return false;
    }
    const float ratio = static_cast<float>(cw) / static_cast<float>(ch);
    width = givenWidth;
    height = givenHeight;
    if (!givenWidth && !givenHeight) {
        width = cw;
        height = ch;
    } else if (!givenHeight) {
        // As the dialog does: the float ratio, the division in double.
        height = static_cast<int>(givenWidth / static_cast<double>(ratio));
    } else if (!givenWidth) {
        width = static_cast<int>(givenHeight * static_cast<double>(ratio));
    }
    if (width < 1 || width > 3000 || height < 1 || height > 3000) {
        char buf[160];
        std::snprintf(buf, sizeof buf,
                      "the export size %d x %d does not lie within 1 to 3000 pixels per side",
                      width, height);
        error = buf;
        return false;
    }
    return true;
}
