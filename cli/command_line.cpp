#include "cli/command_line.h"

#include "document/album_paths.h"
#include "imaging/jpeg_writer.h"

#include <cstdio>
#include <utility>

#include <sys/stat.h>
#include <unistd.h>

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

// Stores a whole number within [lo, hi]; an error text otherwise.
std::string Number(const std::string& option, const std::string& value, int lo, int hi, int& out) {
    int n = 0;
    if (!ParseCount(value, n))
        return option + " needs a whole positive number, not \"" + value + "\"";
    if (n < lo || n > hi)
        return option + " must lie between " + std::to_string(lo) + " and " + std::to_string(hi);
    out = n;
    return {};
}

// Stores a file path, made absolute; an error text when it is empty.
std::string Path(const std::string& option, const std::string& value, std::string& out) {
    if (value.empty())
        return option + " needs a file name";
    out = AbsolutePath(value);
    return {};
}

// An input file must be a readable regular file; empty paths are not given.
std::string InputFileError(const std::string& option, const std::string& path) {
    if (path.empty() || IsReadableRegularFile(path))
        return {};
    return option + ": " + path + " is not a readable file";
}

// An output file must be able to come into being: its folder exists and can
// be written, and it is not itself a folder.
std::string OutputFileError(const std::string& option, const std::string& path) {
    if (path.empty())
        return {};
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return option + ": " + path + " is a folder";
    const std::string::size_type slash = path.find_last_of('/');
    const std::string folder = slash == 0 ? "/" : path.substr(0, slash);
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
        return option + ": the folder of " + path + " does not exist";
    if (access(folder.c_str(), W_OK) != 0)
        return option + ": the folder of " + path + " cannot be written";
    return {};
}

enum class Arity { None, One, Many };

// One option: its name, what follows it, one line of help, and how its value
// is stored (an error text when the value is bad). A Many option takes every
// following argument up to the next option or "--".
struct OptionDef {
    const char* name;
    Arity arity;
    const char* value;
    const char* help;
    std::string (*store)(CommandLine& cl, const std::string& value);
};

const OptionDef kOptions[] = {
    {"--ppi", Arity::One, "N", "pixels per inch of the page on screen (1 to 1000)",
     [](CommandLine& cl, const std::string& v) { return Number("--ppi", v, 1, 1000, cl.ppi); }},
    {"--template", Arity::One, "T.zbt", "load a layout template, as Load Template does",
     [](CommandLine& cl, const std::string& v) { return Path("--template", v, cl.templatePath); }},
    {"--insert", Arity::Many, "PIC.jpg...", "insert pictures into free slots, as Open Image does",
     [](CommandLine& cl, const std::string& v) {
         std::string path;
         std::string error = Path("--insert", v, path);
         cl.inserts.push_back(path);
         return error;
     }},
    {"--save-template", Arity::One, "OUT.zbt",
     "save the pictures' placement as a template, as Save Template does",
     [](CommandLine& cl, const std::string& v) {
         return Path("--save-template", v, cl.saveTemplatePath);
     }},
    {"--save-as", Arity::One, "OUT.alb", "save the album, as Save As does",
     [](CommandLine& cl, const std::string& v) { return Path("--save-as", v, cl.saveAsPath); }},
    {"--export-jpeg", Arity::One, "OUT.jpg", "export the page as a JPEG picture",
     [](CommandLine& cl, const std::string& v) { return Path("--export-jpeg", v, cl.exportPath); }},
    {"--width", Arity::One, "N", "width of the exported picture, in pixels",
     [](CommandLine& cl, const std::string& v) {
         return Number("--width", v, 1, EXPORT_MAX_SIDE, cl.width);
     }},
    {"--height", Arity::One, "N", "height of the exported picture; one side alone keeps the page's",
     [](CommandLine& cl, const std::string& v) {
         return Number("--height", v, 1, EXPORT_MAX_SIDE, cl.height);
     }},
    {"--print", Arity::None, "", "print the page on the default printer, without a dialog",
     [](CommandLine& cl, const std::string&) {
         cl.print = true;
         return std::string();
     }},
    {"--print-pdf", Arity::One, "OUT.pdf",
     "print the page into a PDF file with the default printer's paper and margins",
     [](CommandLine& cl, const std::string& v) { return Path("--print-pdf", v, cl.printPdfPath); }},
    {"--make-sample", Arity::One, "FOLDER", "write a sample album with pictures into FOLDER",
     [](CommandLine& cl, const std::string& v) {
         if (v.empty())
             return std::string("--make-sample needs a folder");
         cl.sampleFolder = v;
         cl.mode = CommandLine::Mode::MakeSample;
         return std::string();
     }},
    {"--help", Arity::None, "", "show this text and exit",
     [](CommandLine& cl, const std::string&) {
         cl.mode = CommandLine::Mode::Help;
         return std::string();
     }},
    {"--version", Arity::None, "", "show the version and exit",
     [](CommandLine& cl, const std::string&) {
         cl.mode = CommandLine::Mode::Version;
         return std::string();
     }},
};

const OptionDef* FindOption(const std::string& name) {
    const std::string key = name == "-h" ? "--help" : name;
    for (const OptionDef& o : kOptions)
        if (key == o.name)
            return &o;
    return nullptr;
}

bool IsOption(const std::string& a) {
    return a.size() > 1 && a[0] == '-';
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
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !IsOption(a)) {
            if (!cl.album.empty())
                return Fail("only one album may be given (put pictures after --insert)");
            cl.album = AbsolutePath(a);
            continue;
        }
        const OptionDef* option = FindOption(a);
        if (!option)
            return Fail("unknown option " + a);
        std::string error;
        switch (option->arity) {
        case Arity::None:
            error = option->store(cl, "");
            break;
        case Arity::One:
            if (i + 1 >= args.size())
                return Fail(a + " needs " + option->value);
            error = option->store(cl, args[++i]);
            break;
        case Arity::Many: {
            const std::size_t first = i + 1;
            while (i + 1 < args.size() && !IsOption(args[i + 1]) && error.empty())
                error = option->store(cl, args[++i]);
            if (i + 1 == first)
                return Fail(a + " needs " + option->value);
            break;
        }
        }
        if (!error.empty())
            return Fail(error);
        if (cl.mode == CommandLine::Mode::Help || cl.mode == CommandLine::Mode::Version)
            return cl;
    }
    if ((cl.width || cl.height) && cl.exportPath.empty())
        return Fail("--width and --height go with --export-jpeg");
    if (cl.mode == CommandLine::Mode::Edit && cl.HasOutput())
        cl.mode = CommandLine::Mode::Batch;
    return cl;
}

std::string CheckCommandLineFiles(const CommandLine& cl) {
    // Pictures are not checked here: one that cannot be inserted is named
    // when it is, and the rest of the run is still done.
    std::string error = InputFileError("--template", cl.templatePath);
    const std::pair<const char*, const std::string*> outputs[] = {
        {"--save-template", &cl.saveTemplatePath},
        {"--save-as", &cl.saveAsPath},
        {"--export-jpeg", &cl.exportPath},
        {"--print-pdf", &cl.printPdfPath}};
    for (const auto& [option, path] : outputs)
        if (error.empty())
            error = OutputFileError(option, *path);
    return error;
}

std::string UsageText() {
    std::string text =
        "Usage: zelbrin [OPTIONS] [ALBUM]\n"
        "Lays out one photo-album page: pictures and texts, printed or exported.\n"
        "The steps run in this order: open ALBUM (else a new page), --template,\n"
        "--insert, --save-template, --save-as, --export-jpeg, --print, --print-pdf.\n"
        "With any of the last five no window is shown; otherwise the editor opens\n"
        "on the page.\n"
        "\n";
    for (const OptionDef& o : kOptions) {
        std::string left = std::string("  ") + o.name + (o.value[0] ? " " : "") + o.value;
        if (left.size() < 28)
            left.resize(28, ' ');
        else
            left += ' ';
        text += left + o.help + "\n";
    }
    text += "  --                        ends the options (and a picture list)\n";
    return text;
}

std::string VersionText() {
    return "Zelbrin " ZELBRIN_VERSION "\n";
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
    if (width < 1 || width > EXPORT_MAX_SIDE || height < 1 || height > EXPORT_MAX_SIDE) {
        char buf[160];
        std::snprintf(buf, sizeof buf,
                      "the export size %d x %d does not lie within 1 to %d pixels per side", width,
                      height, EXPORT_MAX_SIDE);
        error = buf;
        return false;
    }
    return true;
}
