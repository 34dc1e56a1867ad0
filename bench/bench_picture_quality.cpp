// How faithfully exported pages show real photographs. Six 5120 x 2880
// photographs (Debian's plasma-workspace-wallpapers) go on a page in two
// columns; the page is exported at its own size and at 3000 pixels high, and
// each picture's place in the exported file is compared (PSNR over red,
// green and blue) with the full-size photograph shrunk to that place with
// Lanczos-3. The bound is the best the half-size pixels allow: the half-size
// decode shrunk with Lanczos-3 and written at quality 90, compared the same
// way. Target: each figure within 0.5 dB of its bound.
//
// Also prints what the filters alone give (before JPEG writing), and the
// export times, with smooth pictures on and off (the original drawing).

#include "base/resample.h"
#include "document/zelbrin_doc.h"
#include "geometry/page_math.h"
#include "imaging/jpeg_reader.h"
#include "imaging/jpeg_writer.h"
#include "platform/qt/win_app.h"
#include "render/page_export.h"

#include <QApplication>
#include <QImage>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const char* const kWallpapers[] = {"Altai", "IceCold", "Kay", "Patak", "MilkyWay", "Shell"};
constexpr int kClientW = 816, kClientH = 1056; // a letter page at 96 pixels per inch
constexpr int kPlaceW = 380, kPlaceH = 214;

struct Picture {
    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
};

Picture Decode(const std::string& path, int denom) {
    Picture p;
    unsigned char* px = nullptr;
    if (ReadJpegPicture(path.c_str(), &px, &p.width, &p.height, denom)) {
        p.pixels.assign(px, px + 3ull * p.width * p.height);
        std::free(px);
    }
    return p;
}

// The photograph as a JPEG file: the package's own, or its PNG written at
// quality 95.
std::string PhotographFile(const std::string& name, const std::string& dir) {
    const std::string base = "/usr/share/wallpapers/" + name + "/contents/images/5120x2880";
    if (fs::exists(base + ".jpg"))
        return base + ".jpg";
    QImage png(QString::fromStdString(base + ".png"));
    if (png.isNull())
        return {};
    png = png.convertToFormat(QImage::Format_RGB888);
    std::vector<unsigned char> rgb(3ull * png.width() * png.height());
    for (int y = 0; y < png.height(); ++y)
        std::copy_n(png.constScanLine(y), 3 * png.width(), &rgb[3ull * y * png.width()]);
    const std::string out = dir + "/" + name + ".jpg";
    WriteJpegPicture(rgb.data(), out.c_str(), png.width(), png.height(), 95);
    return out;
}

Picture Scaled(const Picture& src, int w, int h, ResampleFilter filter) {
    Picture out;
    out.width = w;
    out.height = h;
    std::vector<std::uint32_t> words(static_cast<std::size_t>(w) * h);
    ResamplePart(RgbPicture{src.pixels.data(), src.width, src.height},
                 PixelRect{0, 0, src.width, src.height}, w, h, PixelRect{0, 0, w, h}, words.data(),
                 static_cast<std::size_t>(w), filter);
    for (std::uint32_t v : words)
        out.pixels.insert(out.pixels.end(),
                          {static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 8),
                           static_cast<unsigned char>(v)});
    return out;
}

// PSNR of the w x h block of a at (ax, ay) against b at (bx, by).
double Psnr(const Picture& a, int ax, int ay, const Picture& b, int bx, int by, int w, int h) {
    double sum = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < 3 * w; ++x) {
            const double d = a.pixels[3ull * (ay + y) * a.width + 3ull * ax + x] -
                             b.pixels[3ull * (by + y) * b.width + 3ull * bx + x];
            sum += d * d;
        }
    const double mse = sum / (3.0 * w * h);
    return mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

// Written at quality 90 as the export writes (full colour), or with the
// writer's defaults (colour halved both ways).
Picture ThroughJpeg(const Picture& p, const std::string& path, bool fullColour = true) {
    WriteJpegImage(JpegImage{p.pixels.data(), p.width, p.height,
                             3u * static_cast<std::size_t>(p.width), JpegRowLayout::Rgb},
                   path.c_str(), JpegOptions{90, 0, fullColour});
    return Decode(path, 1);
}

void WriteAlbum(const std::string& path, const std::vector<std::string>& photos,
                const std::vector<Picture>& halves) {
    std::ofstream out(path, std::ios::binary);
    out << "4\r\n" << photos.size() << "\r\n";
    for (std::size_t i = 0; i < photos.size(); ++i) {
        const int left = 20 + static_cast<int>(i % 2) * 398,
                  top = 20 + static_cast<int>(i / 2) * 250;
        out << "0 " << halves[i].width << " " << halves[i].height << "\r\n"
            << photos[i] << "\r\n"
            << photos[i] << "\r\n"
            << top << " " << left << " " << top + kPlaceH << " " << left + kPlaceW << "\r\n"
            << "0 0 " << halves[i].height << " " << halves[i].width << "\r\n";
    }
}

double Seconds(const std::function<void()>& fn, int runs = 3) {
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        fn();
        t.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}

struct Row {
    double mean = 0, worst = 99;
    void Add(double v, double n) {
        mean += v / n;
        worst = std::min(worst, v);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const fs::path dir =
        fs::temp_directory_path() / ("zelbrin-quality-" + std::to_string(getpid()));
    fs::create_directories(dir);
    CWinApp::SetProfileRoot(dir.string());
    CWinApp settings("Zelbrin");

    std::vector<std::string> photos;
    for (const char* name : kWallpapers) {
        const std::string file = PhotographFile(name, dir.string());
        if (file.empty()) {
            std::printf("missing /usr/share/wallpapers/%s: apt-get install "
                        "plasma-workspace-wallpapers\n",
                        name);
            return 1;
        }
        photos.push_back(file);
    }
    std::vector<Picture> halves;
    for (const std::string& p : photos)
        halves.push_back(Decode(p, 2));
    const std::string album = (dir / "photos.alb").string();
    WriteAlbum(album, photos, halves);
    CZelbrinDoc doc;
    doc.OnNewDocument();
    if (!doc.OnOpenDocument(album.c_str()) || doc.GetItemCount() != 6) {
        std::printf("the album did not open with its six pictures\n");
        return 1;
    }

    const double n = static_cast<double>(photos.size());
    for (int exportH : {kClientH, 3000}) {
        const int exportW = exportH == kClientH ? kClientW : exportH * kClientW / kClientH;
        const float scale = static_cast<float>(exportW) / kClientW;
        std::printf("\nexport %d x %d (PSNR against the full-size photograph, Lanczos-3):\n",
                    exportW, exportH);
        Row bound, halvedBound, smooth, nearest, area, lanczos;
        std::vector<Picture> references;
        for (int smoothOn : {1, 0}) {
            settings.WriteProfileInt("Settings", "SmoothPictures", smoothOn);
            const std::string file = (dir / "export.jpg").string();
            ExportPageToJpeg(doc, kClientW, exportW, exportH, file);
            const Picture exported = Decode(file, 1);
            for (std::size_t i = 0; i < photos.size(); ++i) {
                const Rect64 d = ScaleRect64(doc.GetItem(static_cast<int>(i)).rcPlace, scale);
                const int w = static_cast<int>(d.right - d.left);
                const int h = static_cast<int>(d.bottom - d.top);
                if (references.size() <= i) {
                    references.push_back(
                        Scaled(Decode(photos[i], 1), w, h, ResampleFilter::Lanczos3));
                    const Picture& ref = references.back();
                    const Picture best = Scaled(halves[i], w, h, ResampleFilter::Lanczos3);
                    const std::string bestFile = (dir / "bound.jpg").string();
                    bound.Add(Psnr(ThroughJpeg(best, bestFile), 0, 0, ref, 0, 0, w, h), n);
                    halvedBound.Add(Psnr(ThroughJpeg(best, bestFile, false), 0, 0, ref, 0, 0, w, h),
                                    n);
                    area.Add(
                        Psnr(Scaled(halves[i], w, h, ResampleFilter::Area), 0, 0, ref, 0, 0, w, h),
                        n);
                    lanczos.Add(Psnr(best, 0, 0, ref, 0, 0, w, h), n);
                }
                (smoothOn ? smooth : nearest)
                    .Add(Psnr(exported, static_cast<int>(d.left), static_cast<int>(d.top),
                              references[i], 0, 0, w, h),
                         n);
            }
        }
        std::printf("  bound: half size, Lanczos-3, quality 90 as exports are written: "
                    "mean %.2f dB, worst %.2f dB\n",
                    bound.mean, bound.worst);
        std::printf("  export, smooth pictures: mean %.2f dB (%+.2f), worst %.2f dB (%+.2f) "
                    "(target: within 0.5 dB of the bound)\n",
                    smooth.mean, smooth.mean - bound.mean, smooth.worst,
                    smooth.worst - bound.worst);
        std::printf("  export, nearest pixel:   mean %.2f dB (%+.2f), worst %.2f dB (%+.2f)\n",
                    nearest.mean, nearest.mean - bound.mean, nearest.worst,
                    nearest.worst - bound.worst);
        std::printf("  the bound with colour halved both ways (the writer's default): "
                    "mean %.2f dB, worst %.2f dB\n",
                    halvedBound.mean, halvedBound.worst);
        std::printf("  the filters alone, from half size, before writing: area %.2f / %.2f dB, "
                    "Lanczos-3 %.2f / %.2f dB\n",
                    area.mean, area.worst, lanczos.mean, lanczos.worst);
    }

    std::printf("\nexport 3000 x 3000 of the six photographs:\n");
    for (int smoothOn : {0, 1}) {
        settings.WriteProfileInt("Settings", "SmoothPictures", smoothOn);
        const std::string file = (dir / "timed.jpg").string();
        std::printf("  %s: %.3f s\n", smoothOn ? "smooth pictures" : "nearest pixel  ",
                    Seconds([&] { ExportPageToJpeg(doc, kClientW, 3000, 3000, file); }));
    }
    fs::remove_all(dir);
    return 0;
}
