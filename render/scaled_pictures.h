// Pictures scaled for the window, kept so that a repaint or a moved picture
// copies pixels instead of filtering them again. A copy is the item's source
// part at its place's size; while the user sizes or crops a picture, the
// whole picture is kept filtered at the scale of the drag's start and each
// step picks its pixels from it (the release draws the picture filtered). The copies together hold
// at most a budget of pixels (a few pages' worth): the area the pictures take on the page, not
// their pixel count.
#pragma once

#include "base/resample.h"
#include "document/page_item.h"

#include <QImage>

#include <cstdint>
#include <map>
#include <memory>

class CDC;

class CScaledPictures {
public:
    // budget: pixels all copies together may hold; 0 keeps none.
    void SetBudget(long long pixels) { m_budget = pixels; }
    // While true, a picture drawn at a new size or crop is interpolated from
    // its whole picture scaled once, instead of filtered anew.
    void SetInteractive(bool bInteractive);

    // Draws part (top-down source pixels) of item's w x h picture into dest
    // (w x h target pixels at x, y) from a kept copy, making it when missing.
    // False, drawing nothing, when the copy would not fit the budget.
    bool Draw(CDC* pDC, const PageItem& item, const PixelRect& part, const PixelRect& dest);

    void Clear() { m_copies.clear(); }
    long long HeldPixels() const;

private:
    struct Copy {
        std::weak_ptr<const unsigned char> pixels;
        PixelRect part{};
        QImage image; // part at the place's size, or the whole picture at scale
        double scale = 0;
        bool whole = false;
        std::uint64_t used = 0;
    };
    struct Key {
        ItemId id;
        bool whole;
        bool operator<(const Key& o) const { return id != o.id ? id < o.id : whole < o.whole; }
    };
    Copy* Find(const Key& key, const PageItem& item);
    Copy* Make(const Key& key, const PageItem& item, const PixelRect& part, int w, int h,
               double scale);

    std::map<Key, Copy> m_copies;
    long long m_budget = 0;
    bool m_bInteractive = false;
    std::uint64_t m_clock = 0;
};
