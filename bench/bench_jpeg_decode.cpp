// Decoding speed of ReadJpegPicture against libjpeg-turbo's own djpeg, on a
// 6000 x 4000 camera-like picture (4:2:0) that this program writes itself.
//
// Prints megapixels per second (of the decoded output) for 1/2 and 1/1, and
// the ratio reader / djpeg. djpeg comes from Debian's libjpeg-turbo-progs.

#include "imaging/jpeg_reader.h"
#include "imaging/jpeg_writer.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A picture with texture, so the entropy decoder does real work.
std::vector<unsigned char> MakePixels(int w, int h) {
    std::vector<unsigned char> px(static_cast<std::size_t>(w) * h * 3);
    unsigned seed = 12345;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            seed = seed * 1103515245u + 12345u;
            int noise = static_cast<int>((seed >> 16) & 31) - 16;
            unsigned char* p = &px[(static_cast<std::size_t>(y) * w + x) * 3];
            double s = std::sin(x * 0.01) * std::cos(y * 0.013);
            p[0] = static_cast<unsigned char>(std::clamp(128 + 100 * s + noise, 0.0, 255.0));
            p[1] = static_cast<unsigned char>(std::clamp(x * 255.0 / w + noise, 0.0, 255.0));
            p[2] = static_cast<unsigned char>(std::clamp(y * 255.0 / h + noise, 0.0, 255.0));
        }
    }
    return px;
}

double BestSeconds(int runs, const std::function<bool()>& fn) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        if (!fn())
            return -1;
        double s = std::chrono::duration<double>(Clock::now() - t0).count();
        best = std::min(best, s);
    }
    return best;
}

bool HaveDjpeg() {
    return std::system("command -v djpeg >/dev/null 2>&1") == 0;
}

} // namespace

int main(int argc, char** argv) {
    const int w = 6000, h = 4000;
    const int runs = argc > 1 ? std::atoi(argv[1]) : 5;
    char dir[] = "/tmp/zelbrin-bench-XXXXXX";
    if (!mkdtemp(dir))
        return 1;
    std::string jpg = std::string(dir) + "/camera.jpg";
    {
        std::vector<unsigned char> px = MakePixels(w, h);
        if (!WriteJpegPicture(px.data(), jpg.c_str(), w, h, 90)) // defaults give 4:2:0
            return 1;
    }
    std::printf("picture: %d x %d, 4:2:0, quality 90, best of %d runs\n", w, h, runs);
    const bool djpeg = HaveDjpeg();
    if (!djpeg)
        std::printf("djpeg not found (install libjpeg-turbo-progs): no comparison\n");

    for (int denom : {2, 1}) {
        const double mpix = (w / denom) * static_cast<double>(h / denom) / 1e6;
        double reader = BestSeconds(runs, [&] {
            unsigned char* px = nullptr;
            int ow = 0, oh = 0;
            if (!ReadJpegPicture(jpg.c_str(), &px, &ow, &oh, denom))
                return false;
            std::free(px);
            return true;
        });
        std::printf("scale 1/%d  ReadJpegPicture: %7.1f Mpixel/s (%.3f s)\n", denom, mpix / reader,
                    reader);
        if (djpeg) {
            std::string cmd = std::string("djpeg ") + (denom == 2 ? "-scale 1/2 " : "") +
                              "-outfile /dev/null " + jpg;
            double tool = BestSeconds(runs, [&] { return std::system(cmd.c_str()) == 0; });
            std::printf("scale 1/%d  djpeg:           %7.1f Mpixel/s (%.3f s)  reader/djpeg "
                        "speed ratio %.3f\n",
                        denom, mpix / tool, tool, tool / reader);
        }
    }
    std::remove(jpg.c_str());
    rmdir(dir);
    return 0;
}
