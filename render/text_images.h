// Texts drawn once into images and kept: a page draws the same texts again
// at every step of a drag (those above the moving picture), and laying a
// text out costs several times more than copying its pixels. A text's image
// holds its box, transparent where no glyph covers it, so that drawn over
// anything it gives the pixels the text drawn there itself gives.
#pragma once

#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>

class CDC;

class CTextImages {
public:
    // budget: the bytes all images together may hold.
    explicit CTextImages(long long budget = 16ll << 20) : m_budget(budget) {}

    // Draws the image kept under key (a text and everything that shapes its
    // pixels in a w x h box) at x, y on pDC, drawing it first with draw(dc,
    // w, h) into a transparent box at 0, 0 when there is none. False, drawing
    // nothing, when the box is larger than the budget allows an image or the
    // text's image would not give the pixels of the text drawn directly.
    bool Draw(CDC* pDC, const std::string& key, int x, int y, int w, int h,
              const std::function<void(CDC*, int, int)>& draw);

    long long HeldBytes() const { return m_held; }
    void Clear();

private:
    struct Image {
        QImage pixels; // empty: the text is drawn directly
        long long bytes = 0;
        std::uint64_t used = 0;
    };
    void MakeRoom(long long bytes);

    std::unordered_map<std::string, Image> m_images;
    long long m_budget;
    long long m_held = 0;
    std::uint64_t m_clock = 0;
};
