#include "imaging/jpeg_reader.h"
#include "imaging/jpeg_writer.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// Reads a picture, returning whether it worked; outputs keep a sentinel otherwise.
struct Decoded {
    BOOL ok = FALSE;
    unsigned char* pixels = reinterpret_cast<unsigned char*>(0x1);
    int width = -7;
    int height = -7;
    ~Decoded() {
        if (ok)
            std::free(pixels);
    }
};

void Read(const std::string& path, int denom, Decoded& d) {
    d.ok = ReadJpegPicture(path.c_str(), &d.pixels, &d.width, &d.height, denom);
}

void ExpectUntouched(const Decoded& d) {
    EXPECT_FALSE(d.ok);
    EXPECT_EQ(d.pixels, reinterpret_cast<unsigned char*>(0x1));
    EXPECT_EQ(d.width, -7);
    EXPECT_EQ(d.height, -7);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    if (start < text.size())
        out.push_back(text.substr(start));
    return out;
}

TEST(JpegReader, HalfScaleRoundsOddSizesUp) {
    TempDir dir;
    std::string path = dir.File("odd.jpg");
    MakeJpeg(path, 101, 75);
    Decoded half, full;
    Read(path, 2, half);
    Read(path, 1, full);
    ASSERT_TRUE(half.ok);
    EXPECT_EQ(half.width, 51);
    EXPECT_EQ(half.height, 38);
    ASSERT_TRUE(full.ok);
    EXPECT_EQ(full.width, 101);
    EXPECT_EQ(full.height, 75);
}

TEST(JpegReader, RowsAreTopToBottomRedFirst) {
    TempDir dir;
    std::string path = dir.File("halves.jpg");
    // Top half red, bottom half blue, in 16-row blocks so JPEG keeps them clean.
    const int w = 32, h = 32;
    std::vector<unsigned char> px(w * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            unsigned char* p = &px[(y * w + x) * 3];
            p[0] = y < 16 ? 250 : 0;
            p[1] = 0;
            p[2] = y < 16 ? 0 : 250;
        }
    ASSERT_TRUE(WriteJpegPicture(px.data(), path.c_str(), w, h, 90));
    Decoded d;
    Read(path, 1, d);
    ASSERT_TRUE(d.ok);
    const unsigned char* top = d.pixels + (2 * w + 2) * 3;
    const unsigned char* bottom = d.pixels + ((h - 3) * w + 2) * 3;
    EXPECT_GT(top[0], 200);
    EXPECT_LT(top[2], 50);
    EXPECT_LT(bottom[0], 50);
    EXPECT_GT(bottom[2], 200);
}

TEST(JpegReader, GrayscaleGivesNoPictureAndNoMessage) {
    TempDir dir;
    std::string path = dir.File("gray.jpg");
    MakeGrayJpeg(path, 16, 16);
    Decoded d;
    testing::internal::CaptureStderr();
    Read(path, 2, d);
    std::string err = testing::internal::GetCapturedStderr();
    ExpectUntouched(d);
    EXPECT_EQ(err, "");
}

TEST(JpegReader, NonJpegGivesLibraryMessageThenErrorOpening) {
    TempDir dir;
    std::string path = dir.File("notes.jpg");
    WriteFileBytes(path, "this is not a picture at all\n");
    Decoded d;
    testing::internal::CaptureStderr();
    Read(path, 2, d);
    std::vector<std::string> lines = Lines(testing::internal::GetCapturedStderr());
    ExpectUntouched(d);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("JPEG"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "error opening " + path);
}

TEST(JpegReader, MissingFileSaysCantOpen) {
    Decoded d;
    testing::internal::CaptureStderr();
    Read("/nonexistent/zelbrin/pic.jpg", 2, d);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "can't open /nonexistent/zelbrin/pic.jpg\n");
    ExpectUntouched(d);
}

TEST(JpegReader, TruncatedFileStillGivesAPictureWithAWarning) {
    TempDir dir;
    std::string path = dir.File("cut.jpg");
    MakeJpeg(path, 256, 256);
    std::string bytes = ReadFileBytes(path);
    WriteFileBytes(path, bytes.substr(0, bytes.size() * 3 / 4));
    Decoded d;
    testing::internal::CaptureStderr();
    Read(path, 1, d);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(d.ok);
    EXPECT_EQ(d.width, 256);
    EXPECT_NE(err.find("Premature end"), std::string::npos) << err;
}

TEST(JpegReader, DamagedHeaderIsRefusedWithoutLeaking) {
    TempDir dir;
    std::string path = dir.File("bad.jpg");
    MakeJpeg(path, 64, 64);
    std::string bytes = ReadFileBytes(path);
    // Cut inside the headers, before any scan data.
    WriteFileBytes(path, bytes.substr(0, 200));
    Decoded d;
    testing::internal::CaptureStderr();
    Read(path, 2, d);
    std::string err = testing::internal::GetCapturedStderr();
    ExpectUntouched(d);
    EXPECT_NE(err.find("error opening " + path), std::string::npos);
}

// A baseline SOF0 header claiming the given size, followed by nothing useful.
std::string HeaderClaiming(int width, int height) {
    std::string h = "\xFF\xD8";                  // SOI
    h += std::string("\xFF\xC0\x00\x11\x08", 5); // SOF0, 8 bits
    h += static_cast<char>(height >> 8);
    h += static_cast<char>(height & 0xFF);
    h += static_cast<char>(width >> 8);
    h += static_cast<char>(width & 0xFF);
    h += std::string("\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 10); // 3 components
    // DQT and DHT are not needed for the header to be read up to the first SOS.
    h += std::string("\xFF\xDA\x00\x0C\x03\x01\x00\x02\x11\x03\x11\x00\x3F\x00", 14);
    return h;
}

TEST(JpegReader, HugeClaimedSizesAreRefusedBeforeAllocating) {
    TempDir dir;
    struct Case {
        int w, h, denom;
    } cases[] = {{60000, 60000, 2},
                 {60000, 60000, 1},
                 {10923 * 2, 100, 2},
                 {10923, 10, 1},
                 {10000, 10000, 1}};
    for (const Case& c : cases) {
        std::string path = dir.File("huge.jpg");
        WriteFileBytes(path, HeaderClaiming(c.w, c.h));
        Decoded d;
        testing::internal::CaptureStderr();
        Read(path, c.denom, d);
        std::string err = testing::internal::GetCapturedStderr();
        ExpectUntouched(d);
        EXPECT_NE(err.find("too large"), std::string::npos) << c.w << "x" << c.h << ": " << err;
    }
}

TEST(JpegReader, WidestAllowedRowIsAccepted) {
    TempDir dir;
    std::string path = dir.File("wide.jpg");
    MakeSolidJpeg(path, 10922 * 2, 8, 10, 20, 30);
    Decoded d;
    Read(path, 2, d);
    ASSERT_TRUE(d.ok);
    EXPECT_EQ(d.width, 10922);
    EXPECT_EQ(d.height, 4);
}

TEST(JpegReader, ReadsTheSharedTestImages) {
    const std::string dir = ZELBRIN_TESTIMAGES;
    for (const char* name : {"testorig.jpg", "testimgari.jpg", "testimgint.jpg"}) {
        Decoded d;
        Read(dir + "/" + name, 2, d);
        ASSERT_TRUE(d.ok) << name;
        EXPECT_EQ(d.width, 114) << name; // 227 x 149 at half size
        EXPECT_EQ(d.height, 75) << name;
    }
    // The arithmetic-coded file shows the same scene as the baseline one.
    Decoded base, ari;
    Read(dir + "/testorig.jpg", 1, base);
    Read(dir + "/testimgari.jpg", 1, ari);
    ASSERT_TRUE(base.ok && ari.ok);
    long long diff = 0;
    for (int i = 0; i < 227 * 149 * 3; ++i)
        diff += std::abs(base.pixels[i] - ari.pixels[i]);
    EXPECT_LT(diff / (227 * 149 * 3), 4);
}

TEST(JpegReader, TwelveBitFileIsRefused) {
    Decoded d;
    const std::string path = std::string(ZELBRIN_TESTIMAGES) + "/monkey12.jpg";
    testing::internal::CaptureStderr();
    Read(path, 2, d);
    std::string err = testing::internal::GetCapturedStderr();
    ExpectUntouched(d);
    EXPECT_NE(err.find("error opening " + path), std::string::npos) << err;
}

// Files that buffer the whole picture's coefficients (progressive, or
// sequential with a scan per colour component) decode despite the 4 MiB
// working limit, to the same pixels as the same picture in one scan.
TEST(JpegReader, MultiScanFilesDecodeDespiteTheWorkingMemoryLimit) {
    TempDir dir;
    const std::string base = dir.File("base.jpg");
    MakeJpeg(base, 3000, 2000);
    WriteFileBytes(dir.File("per-component.txt"), "0;\n1;\n2;\n");
    const struct {
        const char* name;
        std::string options;
    } kinds[] = {{"progressive", "-progressive"},
                 {"one scan per component", "-scans " + dir.File("per-component.txt")}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const std::string file = dir.File("scans.jpg");
        const std::string cmd = "jpegtran " + kind.options + " -outfile " + file + " " + base;
        ASSERT_EQ(std::system(cmd.c_str()), 0) << "jpegtran (libjpeg-turbo-progs) is needed";
        for (int denom : {1, 2}) {
            Decoded got, want;
            testing::internal::CaptureStderr();
            Read(file, denom, got);
            EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
            Read(base, denom, want);
            ASSERT_TRUE(got.ok && want.ok);
            EXPECT_EQ(got.width, 3000 / denom);
            EXPECT_EQ(got.height, 2000 / denom);
            EXPECT_EQ(std::memcmp(got.pixels, want.pixels,
                                  static_cast<std::size_t>(got.width) * got.height * 3),
                      0);
        }
    }
}

TEST(JpegWriter, WritesJfifAtQualityNinety) {
    TempDir dir;
    std::string path = dir.File("out.jpg");
    MakeJpeg(path, 40, 30);
    std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
    EXPECT_EQ(bytes.substr(6, 5), std::string("JFIF\0", 5));
    EXPECT_EQ(static_cast<unsigned char>(bytes[13]), 0); // no density unit
    // The first luminance quantiser at quality 90 is round(16 * 20 / 100) = 3.
    std::size_t dqt = bytes.find("\xFF\xDB");
    ASSERT_NE(dqt, std::string::npos);
    EXPECT_EQ(static_cast<unsigned char>(bytes[dqt + 4]), 0); // 8-bit table 0
    EXPECT_EQ(static_cast<unsigned char>(bytes[dqt + 5]), 3);
    EXPECT_NE(bytes.find("\xFF\xC0"), std::string::npos); // baseline
    // 2x2 luminance sampling (4:2:0).
    std::size_t sof = bytes.find("\xFF\xC0");
    EXPECT_EQ(static_cast<unsigned char>(bytes[sof + 11]), 0x22);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");
}

TEST(JpegWriter, RoundTripKeepsColoursClose) {
    TempDir dir;
    std::string path = dir.File("rt.jpg");
    MakeSolidJpeg(path, 24, 24, 200, 40, 90);
    Decoded d;
    Read(path, 1, d);
    ASSERT_TRUE(d.ok);
    EXPECT_NEAR(d.pixels[0], 200, 4);
    EXPECT_NEAR(d.pixels[1], 40, 4);
    EXPECT_NEAR(d.pixels[2], 90, 4);
}

TEST(JpegWriter, UnwritableTargetSaysCantOpenAndMakesNoFile) {
    TempDir dir;
    unsigned char px[3] = {1, 2, 3};
    std::string path = dir.File("missing-folder/out.jpg");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(WriteJpegPicture(px, path.c_str(), 1, 1, 90));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "can't open " + path + "\n");
    EXPECT_TRUE(FilesIn(dir.path()).empty());
}

TEST(JpegWriter, FailedWriteKeepsTheOldFileAndLeavesNoPartialFile) {
    // A file-size limit makes writes fail as a full disk does; run it in a
    // child so the limit does not reach the other tests.
    TempDir dir;
    std::string path = dir.File("keep.jpg");
    WriteFileBytes(path, "old contents");
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &lim);
        std::vector<unsigned char> px(600 * 600 * 3);
        for (std::size_t i = 0; i < px.size(); ++i)
            px[i] = static_cast<unsigned char>((i * 7919) >> 3);
        BOOL ok = WriteJpegPicture(px.data(), path.c_str(), 600, 600, 90);
        _exit(ok ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "the writer must not end the program";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "a failed write must be reported";
    EXPECT_EQ(ReadFileBytes(path), "old contents");
    EXPECT_EQ(FilesIn(dir.path()).size(), 1u);
}

} // namespace
