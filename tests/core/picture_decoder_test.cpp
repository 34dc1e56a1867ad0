// Decoding on worker threads gives what decoding one file after another gives:
// the same pictures in the same order, the same failures and the same lines on
// stderr in the same order; pictures not taken are freed.
#include "imaging/jpeg_reader.h"
#include "imaging/picture_decoder.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

struct Outcome {
    bool ok;
    int width, height;
    std::vector<unsigned char> pixels;
    bool operator==(const Outcome&) const = default;
};

Outcome Keep(bool ok, unsigned char* pixels, int w, int h) {
    Outcome o{ok, ok ? w : 0, ok ? h : 0, {}};
    if (ok)
        o.pixels.assign(pixels, pixels + static_cast<std::size_t>(w) * h * 3);
    std::free(pixels);
    return o;
}

// Good, missing, damaged, truncated, grayscale and skipped files mixed.
std::vector<std::string> MixedFiles(const TempDir& dir) {
    MakeJpeg(dir.File("a.jpg"), 301, 199);
    MakeSolidJpeg(dir.File("b.jpg"), 64, 48, 200, 10, 10);
    MakeGrayJpeg(dir.File("gray.jpg"), 16, 16);
    MakeProgressiveJpeg(dir.File("p1.jpg"), 640, 480);
    MakeProgressiveJpeg(dir.File("p2.jpg"), 333, 222);
    std::ofstream(dir.File("notes.jpg")) << "this is not a picture at all\n";
    MakeJpeg(dir.File("whole.jpg"), 400, 300);
    std::ifstream whole(dir.File("whole.jpg"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(whole)), {});
    std::ofstream(dir.File("cut.jpg"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    return {
        dir.File("a.jpg"),   dir.File("missing.jpg"), dir.File("notes.jpg"), "",
        dir.File("cut.jpg"), dir.File("gray.jpg"),    dir.File("b.jpg"),     dir.File("notes.jpg"),
        dir.File("a.jpg"),   dir.File("p1.jpg"),      dir.File("p2.jpg"),    dir.File("b.jpg"),
        dir.File("p1.jpg")};
}

TEST(PictureDecoder, SameOutcomesAndStderrAsOneAfterAnother) {
    TempDir dir;
    const std::vector<std::string> files = MixedFiles(dir);
    for (int denom : {1, 2}) {
        std::vector<Outcome> one, parallel;
        testing::internal::CaptureStderr();
        for (const std::string& f : files) {
            unsigned char* px = nullptr;
            int w = 0, h = 0;
            const bool ok = !f.empty() && ReadJpegPicture(f.c_str(), &px, &w, &h, denom);
            one.push_back(Keep(ok, px, w, h));
        }
        const std::string oneErr = testing::internal::GetCapturedStderr();
        testing::internal::CaptureStderr();
        std::vector<std::size_t> order;
        DecodePictures(files, denom, [&](std::size_t i, DecodedPicture& p) {
            order.push_back(i);
            parallel.push_back(Keep(p.ok, p.pixels, p.width, p.height));
        });
        const std::string parallelErr = testing::internal::GetCapturedStderr();
        EXPECT_EQ(parallel, one);
        EXPECT_EQ(parallelErr, oneErr);
        EXPECT_NE(oneErr.find("can't open " + files[1]), std::string::npos);
        EXPECT_NE(oneErr.find("Premature end"), std::string::npos) << oneErr;
        std::vector<std::size_t> expected(files.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            expected[i] = i;
        EXPECT_EQ(order, expected);
    }
}

TEST(PictureDecoder, StoppingEarlyFreesTheRestAndEndsTheWait) {
    TempDir dir;
    const std::vector<std::string> files = MixedFiles(dir);
    std::vector<std::pair<std::size_t, std::size_t>> calls;
    SetPictureWaitHook(
        [&](std::size_t done, std::size_t total) { calls.emplace_back(done, total); });
    for (std::size_t held : {std::size_t{1}, std::size_t{2}, files.size()}) {
        calls.clear();
        testing::internal::CaptureStderr();
        {
            CPictureDecoder decoder(files, 2, held);
            DecodedPicture first = decoder.TakeNext();
            EXPECT_TRUE(first.ok);
            EXPECT_EQ(first.width, 151);
            std::free(first.pixels);
            EXPECT_FALSE(decoder.TakeNext().ok); // missing.jpg
        }
        testing::internal::GetCapturedStderr();
        // A decoding that waited tells the hook it is over, whatever was taken.
        if (!calls.empty()) {
            EXPECT_EQ(calls.back(), std::make_pair(files.size(), files.size()));
            for (std::size_t c = 0; c + 1 < calls.size(); ++c)
                EXPECT_LT(calls[c].first, files.size());
        }
    }
    SetPictureWaitHook({});
}

// Holding one picture, the next starts decoding only when the one taken is
// given back: each file is written only then, and still decodes.
TEST(PictureDecoder, HoldingOneStartsTheNextOnlyWhenGivenBack) {
    TempDir dir;
    const std::vector<std::string> files{dir.File("0.jpg"), dir.File("1.jpg"), dir.File("2.jpg")};
    MakeJpeg(files[0], 64, 48);
    testing::internal::CaptureStderr();
    CPictureDecoder decoder(files, 1, 1);
    for (std::size_t i = 0; i < files.size(); ++i) {
        DecodedPicture picture = decoder.TakeNext();
        EXPECT_TRUE(picture.ok) << files[i];
        std::free(picture.pixels);
        if (i + 1 < files.size())
            MakeJpeg(files[i + 1], 64, 48);
        decoder.GiveBack();
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace

// A wait hook that asks the same decoder again (a repaint that draws while a
// picture is awaited) gets a failed picture and one line; the waiting call
// still gets its picture, and the next one follows.
TEST(PictureDecoder, AskingAgainWhileWaitingFailsOnceInsteadOfHanging) {
    TempDir dir;
    MakeSolidJpeg(dir.File("small.jpg"), 16, 16, 10, 200, 10);
    MakeJpeg(dir.File("large.jpg"), 2400, 1800);
    CPictureDecoder decoder({dir.File("small.jpg"), dir.File("large.jpg"), dir.File("small.jpg")},
                            1, 1);
    DecodedPicture first = decoder.TakeNext();
    std::free(first.pixels);
    std::vector<DecodedPicture> inner;
    SetPictureWaitHook([&](std::size_t done, std::size_t total) {
        if (done < total && inner.empty())
            inner.push_back(decoder.TakeNext());
    });
    testing::internal::CaptureStderr();
    // The large picture starts decoding only now (one held at a time).
    DecodedPicture large = decoder.TakeNext();
    DecodedPicture last = decoder.TakeNext();
    const std::string err = testing::internal::GetCapturedStderr();
    SetPictureWaitHook({});
    ASSERT_EQ(inner.size(), 1u);
    EXPECT_FALSE(inner[0].ok);
    EXPECT_EQ(err, "picture 2 of 3 was asked for while it was awaited\n");
    EXPECT_TRUE(large.ok);
    EXPECT_EQ(large.width, 2400);
    EXPECT_TRUE(last.ok);
    EXPECT_EQ(last.width, 16);
    std::free(large.pixels);
    std::free(last.pixels);
}

TEST(PictureDecoder, AProgressiveFileCountsItsWholeCoefficientBuffer) {
    TempDir dir;
    MakeJpeg(dir.File("baseline.jpg"), 640, 480);
    MakeProgressiveJpeg(dir.File("progressive.jpg"), 640, 480);
    // Three components of 80 x 60 blocks, 128 bytes a block, beyond the little.
    const std::size_t little = JpegDecodeWorkingSet(dir.File("missing.jpg").c_str());
    EXPECT_EQ(JpegDecodeWorkingSet(dir.File("baseline.jpg").c_str()), little);
    EXPECT_EQ(JpegDecodeWorkingSet(dir.File("progressive.jpg").c_str()),
              little + 3u * 80 * 60 * 128);
}
