// Opening camera photographs. Makes six 6000 x 4000 4:2:0 JPEG files with
// photographic detail and an album of them, then in one run prints:
//
// 1. the time to open the album (shown in a view), to insert the six files as
//    Open Image does and to drop them on the page, each against djpeg -scale
//    1/2 decoding the six one after another (target: at most 0.6 x);
// 2. the peak resident memory of opening and showing the album, against the
//    half-size pixel bytes plus the peak of showing an empty page (target: at
//    most 1.15 x the pixels plus the empty peak), and of printing it into a
//    PDF file (target: within that plus two full-size pictures);
// 3. the time to export the page at 3000 x 3000 against cjpeg -quality 90 of
//    the same page's pixels (target: at most 1.3 x).
//
// Times are medians of several runs (the first argument, 3 by default). The
// machine's other load shows in the line decoding the six one after another
// on one thread: parallel decoding can gain only what the cores have free.
// Memory is measured in child processes of this program.

#include "render/headless_page.h"
#include "document/zelbrin_doc.h"
#include "imaging/jpeg_reader.h"
#include "imaging/picture_decoder.h"
#include "imaging/jpeg_writer.h"
#include "render/page_export.h"
#include "platform/qt/gdi.h"
#include "view/zelbrin_view.h"

#include <QApplication>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kW = 6000, kH = 4000, kPictures = 6;

// A photograph-like picture: smooth light, edges and fine grain, so that the
// entropy decoder works as hard as on a real photograph.
void WriteCameraPicture(const std::string& path, unsigned seed) {
    std::vector<unsigned char> px(static_cast<std::size_t>(kW) * kH * 3);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
            seed = seed * 1103515245u + 12345u;
            const int grain = static_cast<int>((seed >> 16) & 31) - 16;
            const double light = std::sin(x * 0.004 + seed % 3) * std::cos(y * 0.005);
            const double edge = ((x / 97 + y / 61) % 5 == 0) ? 60 : 0;
            unsigned char* p = &px[(static_cast<std::size_t>(y) * kW + x) * 3];
            p[0] =
                static_cast<unsigned char>(std::clamp(120 + 90 * light + edge + grain, 0.0, 255.0));
            p[1] = static_cast<unsigned char>(
                std::clamp(x * 200.0 / kW + grain + edge / 2, 0.0, 255.0));
            p[2] = static_cast<unsigned char>(
                std::clamp(y * 220.0 / kH + grain - edge / 3, 0.0, 255.0));
        }
    WriteJpegPicture(px.data(), path.c_str(), kW, kH, 90); // the writer's defaults give 4:2:0
}

std::vector<std::string> Pictures(const std::string& dir) {
    std::vector<std::string> paths;
    for (int i = 0; i < kPictures; ++i)
        paths.push_back(dir + "/photo" + std::to_string(i + 1) + ".jpg");
    return paths;
}

// An album of the pictures (w x h each) in two columns.
void WriteAlbum(const std::string& dir, const std::vector<std::string>& paths, int w = kW,
                int h = kH) {
    std::ofstream out(dir + "/photos.alb", std::ios::binary);
    out << "4\r\n" << paths.size() << "\r\n";
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const int left = 10 + static_cast<int>(i % 2) * 210,
                  top = 10 + static_cast<int>(i / 2) * 150;
        const std::string name = paths[i].substr(paths[i].find_last_of('/') + 1);
        out << "0 " << w / 2 << " " << h / 2 << "\r\n"
            << name << "\r\n"
            << paths[i] << "\r\n"
            << top << " " << left << " " << top + 133 << " " << left + 200 << "\r\n"
            << "0 0 " << h / 2 << " " << w / 2 << "\r\n";
    }
}

// Six real photographs, 5120 x 2880, the first three progressive with full
// colour resolution, the others baseline 4:2:0, written into dir by djpeg
// and cjpeg from Debian's plasma-workspace-wallpapers; empty when missing.
std::vector<std::string> ProgressivePhotographs(const std::string& dir) {
    const char* names[] = {"Flow", "Honeywave", "SafeLanding", "Shell", "Volna", "Flow"};
    std::vector<std::string> paths;
    for (int i = 0; i < 6; ++i) {
        const std::string source =
            std::string("/usr/share/wallpapers/") + names[i] + "/contents/images/5120x2880.jpg";
        const std::string out = dir + "/real" + std::to_string(i + 1) + ".jpg";
        const std::string cmd = "djpeg " + source + " | cjpeg -quality 92 " +
                                (i < 3 ? "-progressive -sample 1x1 " : "") + "-outfile " + out +
                                " 2>/dev/null";
        if (std::system(cmd.c_str()) != 0)
            return {};
        paths.push_back(out);
    }
    return paths;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double MedianSeconds(int runs, const std::function<void()>& fn) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = Clock::now();
        fn();
        times.push_back(std::chrono::duration<double>(Clock::now() - t0).count());
    }
    return Median(times);
}

long PeakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

// A document shown in a view, as the program shows its page.
struct Page {
    CZelbrinDoc doc;
    CZelbrinView view;
    bool exposed = false;
    Page() {
        doc.OnNewDocument();
        view.AttachDocument(&doc);
        view.OnInitialUpdate();
        view.show();
        exposed = QTest::qWaitForWindowExposed(&view);
    }
    void Settle() {
        view.repaint();
        QCoreApplication::processEvents();
    }
};

// Child process: one of empty, open, print; prints the peak in KiB.
int MemoryChild(const std::string& what, const std::string& dir) {
    Page page;
    if (what != "empty")
        page.doc.OnOpenDocument((dir + "/photos.alb").c_str());
    page.Settle();
    if (what == "print") {
        std::string error, notes;
        PrintAlbumWithoutWindow(page.doc, MeasureHeadlessPage(page.view.m_nPixelsPerInch),
                                dir + "/photos.pdf", error, notes);
    }
    std::printf("%ld\n", PeakKiB());
    return 0;
}

// The child's peak in KiB; its run time in seconds into seconds, when given.
long ChildPeak(const char* self, const std::string& what, const std::string& dir,
               double* seconds = nullptr) {
    const std::string cmd = std::string(self) + " --peak " + what + " " + dir;
    const auto start = Clock::now();
    FILE* p = popen(cmd.c_str(), "r");
    long kib = -1;
    if (p && std::fscanf(p, "%ld", &kib) != 1)
        kib = -1;
    if (p)
        pclose(p);
    if (seconds)
        *seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return kib;
}

// Opening an album of sixty photographs of about twelve megapixels (five
// wallpapers at 7/8 size, 4480 x 2520, each placed twelve times): when the
// page shows its boxes, the first picture and the last.
void PicturesAsTheyArrive(const std::string& dir) {
    const char* names[] = {"Flow", "Honeywave", "SafeLanding", "Shell", "Volna"};
    const std::string sixty = dir + "/sixty";
    std::system(("mkdir -p " + sixty).c_str());
    std::vector<std::string> files;
    for (const char* name : names) {
        const std::string out = sixty + "/" + name + ".jpg";
        const std::string cmd = std::string("djpeg -scale 7/8 /usr/share/wallpapers/") + name +
                                "/contents/images/5120x2880.jpg | cjpeg -quality 92 -outfile " +
                                out + " 2>/dev/null";
        if (std::system(cmd.c_str()) != 0) {
            std::printf("\nno sixty photographs: needs djpeg, cjpeg and "
                        "plasma-workspace-wallpapers\n");
            return;
        }
        files.push_back(out);
    }
    {
        std::ofstream out(sixty + "/sixty.alb", std::ios::binary);
        out << "4\r\n60\r\n";
        for (int i = 0; i < 60; ++i) {
            const int top = 10 + (i / 6) * 50, left = 10 + (i % 6) * 70;
            const std::string& file = files[static_cast<std::size_t>(i) % files.size()];
            out << "0 2240 1260\r\n"
                << file.substr(file.find_last_of('/') + 1) << "\r\n"
                << file << "\r\n"
                << top << " " << left << " " << top + 36 << " " << left + 64 << "\r\n"
                << "0 0 1260 2240\r\n";
        }
    }
    Page page;
    const auto start = Clock::now();
    double boxes = -1, first = -1;
    SetPictureWaitHook([&](std::size_t, std::size_t) {
        const double t = std::chrono::duration<double>(Clock::now() - start).count();
        if (boxes < 0)
            boxes = t;
        if (first < 0 && page.doc.GetItemCount() > 0 && page.doc.ItemAt(0).pPixels)
            first = t;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    page.doc.OnOpenDocument((sixty + "/sixty.alb").c_str());
    page.Settle();
    const double last = std::chrono::duration<double>(Clock::now() - start).count();
    SetPictureWaitHook({});
    if (first < 0)
        first = last; // shown only with all the others
    std::printf("\nsixty 4480 x 2520 photographs: the page's boxes at %.2f s, the first picture "
                "at %.2f s (target <= 0.5), the last at %.2f s\n",
                boxes, first, last);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SetScreenMetricsOverride(1024, 768);
    if (argc == 4 && std::string(argv[1]) == "--peak")
        return MemoryChild(argv[2], argv[3]);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    char dirBuf[] = "/tmp/zelbrin-open-XXXXXX";
    if (!mkdtemp(dirBuf))
        return 1;
    const std::string dir = dirBuf;
    const std::vector<std::string> paths = Pictures(dir);
    for (int i = 0; i < kPictures; ++i)
        WriteCameraPicture(paths[static_cast<std::size_t>(i)], 1000u + static_cast<unsigned>(i));
    WriteAlbum(dir, paths);
    std::printf("six %d x %d 4:2:0 pictures, medians of %d runs\n", kW, kH, runs);

    std::string djpegAll;
    for (const std::string& p : paths)
        djpegAll += "djpeg -scale 1/2 -outfile /dev/null " + p + " && ";
    djpegAll += "true";
    const double djpeg = MedianSeconds(runs, [&] { std::system(djpegAll.c_str()); });
    std::printf("djpeg -scale 1/2, one after another: %.3f s\n", djpeg);

    const double open = MedianSeconds(runs, [&] {
        Page page;
        page.doc.OnOpenDocument((dir + "/photos.alb").c_str());
        page.Settle();
    });
    const double insert = MedianSeconds(runs, [&] {
        Page page;
        page.doc.InsertPictures(paths);
        page.Settle();
    });
    const double drop = MedianSeconds(runs, [&] {
        Page page;
        page.doc.OpenDroppedFiles(paths);
        page.view.SelectTopItem();
        page.Settle();
    });
    // The same decoding on this thread, one file after another: what the
    // worker threads gain on this machine as loaded now.
    const double sequential = MedianSeconds(runs, [&] {
        for (const std::string& p : paths) {
            unsigned char* px = nullptr;
            int w = 0, h = 0;
            if (ReadJpegPicture(p.c_str(), &px, &w, &h, 2))
                std::free(px);
        }
    });
    std::printf("ReadJpegPicture one after another: %.3f s, %.2f x djpeg\n", sequential,
                sequential / djpeg);
    std::printf("open album:  %.3f s, %.2f x djpeg (target <= 0.6)\n", open, open / djpeg);
    std::printf("Open Image:  %.3f s, %.2f x djpeg (target <= 0.6)\n", insert, insert / djpeg);
    std::printf("drop:        %.3f s, %.2f x djpeg (target <= 0.6)\n", drop, drop / djpeg);

    const double halfMiB = kPictures * (kW / 2.0) * (kH / 2.0) * 3 / 1048576.0;
    const double fullMiB = kW * static_cast<double>(kH) * 3 / 1048576.0;
    const double empty = ChildPeak(argv[0], "empty", dir) / 1024.0;
    double openSeconds = 0, printSeconds = 0;
    const double shown = ChildPeak(argv[0], "open", dir, &openSeconds) / 1024.0;
    const double printed = ChildPeak(argv[0], "print", dir, &printSeconds) / 1024.0;
    const double budget = 1.15 * halfMiB + empty;
    std::printf("\npeak memory: empty page %.0f MiB; half-size pixels %.0f MiB\n", empty, halfMiB);
    std::printf("open and show: %.0f MiB, budget %.0f MiB: %.2f x budget (target <= 1)\n", shown,
                budget, shown / budget);
    std::printf("print to PDF:  %.0f MiB, budget %.0f MiB (+ two full-size pictures): %.2f x "
                "budget (target <= 1)\n",
                printed, budget + 2 * fullMiB, printed / (budget + 2 * fullMiB));
    std::printf("printing to PDF took %.2f s beyond opening and showing (%.2f s)\n",
                printSeconds - openSeconds, openSeconds);

    // Real photographs, half of them progressive: the decodes share a budget.
    const std::string realDir = dir + "/real";
    std::system(("mkdir -p " + realDir).c_str());
    const std::vector<std::string> real = ProgressivePhotographs(realDir);
    if (real.empty()) {
        std::printf("\nno progressive set: needs djpeg, cjpeg and plasma-workspace-wallpapers\n");
    } else {
        WriteAlbum(realDir, real, 5120, 2880);
        std::size_t largest = 0;
        for (const std::string& p : real)
            largest = std::max(largest, JpegDecodeWorkingSet(p.c_str()));
        const double realHalf = 6 * 2560.0 * 1440.0 * 3 / 1048576.0;
        const double largestMiB = static_cast<double>(largest) / 1048576.0;
        const double realShown = ChildPeak(argv[0], "open", realDir) / 1024.0;
        const double realBudget = empty + 1.15 * (realHalf + largestMiB);
        std::printf("\nsix 5120 x 2880 photographs, three progressive 4:4:4: half-size pixels "
                    "%.0f MiB, largest decode's working set %.0f MiB\n",
                    realHalf, largestMiB);
        std::printf("open and show: %.0f MiB, budget %.0f MiB: %.2f x budget (target <= 1)\n",
                    realShown, realBudget, realShown / realBudget);
    }

    // Export at 3000 x 3000 against cjpeg of the same pixels.
    Page page;
    page.doc.OnOpenDocument((dir + "/photos.alb").c_str());
    int clientHeight = 0, client = 0;
    page.view.GetClientExtent(clientHeight, client);
    const std::string exported = dir + "/export.jpg";
    const double exportTime =
        MedianSeconds(runs, [&] { ExportPageToJpeg(page.doc, client, 3000, 3000, exported); });
    {
        CPageExport raw;
        raw.Begin(nullptr, 3000, 3000);
        raw.DrawItems(page.doc, 3000.0f / static_cast<float>(client));
        std::vector<unsigned char> rgb;
        raw.ReadPixels(rgb);
        std::ofstream ppm(dir + "/page.ppm", std::ios::binary);
        ppm << "P6\n3000 3000\n255\n";
        ppm.write(reinterpret_cast<const char*>(rgb.data()),
                  static_cast<std::streamsize>(rgb.size()));
    }
    // Where the export's time goes: the white page, the drawing, the encoding.
    {
        std::vector<double> fill, draw, write;
        for (int i = 0; i < runs; ++i) {
            CPageExport steps;
            const auto t0 = Clock::now();
            steps.Begin(nullptr, 3000, 3000);
            const auto t1 = Clock::now();
            steps.DrawItems(page.doc, 3000.0f / static_cast<float>(client));
            const auto t2 = Clock::now();
            steps.WriteTo(exported);
            const auto t3 = Clock::now();
            fill.push_back(std::chrono::duration<double>(t1 - t0).count());
            draw.push_back(std::chrono::duration<double>(t2 - t1).count());
            write.push_back(std::chrono::duration<double>(t3 - t2).count());
        }
        std::printf(
            "export steps: white page %.3f s, drawing %.3f s, encoding and writing %.3f s\n",
            Median(fill), Median(draw), Median(write));
    }
    const std::string cjpegCmd = "cjpeg -quality 90 -outfile /dev/null " + dir + "/page.ppm";
    const double cjpeg = MedianSeconds(runs, [&] { std::system(cjpegCmd.c_str()); });
    std::printf("\nexport 3000 x 3000: %.3f s; cjpeg -quality 90: %.3f s; %.2f x (target <= 1.3)\n",
                exportTime, cjpeg, exportTime / cjpeg);
    // The export keeps colour at every pixel: the same encoding by cjpeg.
    const std::string fullColour =
        "cjpeg -quality 90 -sample 1x1 -outfile /dev/null " + dir + "/page.ppm";
    const double cjpeg444 = MedianSeconds(runs, [&] { std::system(fullColour.c_str()); });
    std::printf("cjpeg -quality 90 -sample 1x1 (colour at every pixel, as exported): %.3f s; "
                "export %.2f x\n",
                cjpeg444, exportTime / cjpeg444);

    PicturesAsTheyArrive(dir);
    std::system(("rm -rf " + dir).c_str());
    return 0;
}
