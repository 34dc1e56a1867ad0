#include "render/scaled_pictures.h"

#include "platform/qt/gdi.h"

#include <cmath>
#include <iterator>

namespace {

long long Pixels(const QImage& image) {
    return static_cast<long long>(image.width()) * image.height();
}

bool SamePart(const PixelRect& a, const PixelRect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

// A copy made for this scale serves steps within these ratios of it.
constexpr double kNearestRatio = 0.7, kFarthestRatio = 1.4;

} // namespace

long long CScaledPictures::HeldPixels() const {
    long long held = 0;
    for (const auto& [key, copy] : m_copies)
        held += Pixels(copy.image);
    return held;
}

void CScaledPictures::SetInteractive(bool bInteractive) {
    m_bInteractive = bInteractive;
    if (bInteractive)
        return;
    // The whole pictures served the drag only.
    for (auto it = m_copies.begin(); it != m_copies.end();)
        it = it->first.whole ? m_copies.erase(it) : std::next(it);
}

CScaledPictures::Copy* CScaledPictures::Find(const Key& key, const PageItem& item) {
    const auto it = m_copies.find(key);
    if (it == m_copies.end())
        return nullptr;
    // A copy of other pixels (the item's picture was replaced) is dropped.
    if (it->second.pixels.lock() != item.pPixels) {
        m_copies.erase(it);
        return nullptr;
    }
    it->second.used = ++m_clock;
    return &it->second;
}

CScaledPictures::Copy* CScaledPictures::Make(const Key& key, const PageItem& item,
                                             const PixelRect& part, int w, int h, double scale) {
    const long long needed = static_cast<long long>(w) * h;
    if (w <= 0 || h <= 0 || needed > m_budget)
        return nullptr;
    m_copies.erase(key);
    // The least recently used copies make room.
    for (long long held = HeldPixels(); held + needed > m_budget && !m_copies.empty();) {
        auto oldest = m_copies.begin();
        for (auto it = m_copies.begin(); it != m_copies.end(); ++it)
            if (it->second.used < oldest->second.used)
                oldest = it;
        held -= Pixels(oldest->second.image);
        m_copies.erase(oldest);
    }
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull() ||
        !ResamplePart(RgbPicture{item.pPixels.get(), item.nSrcWidth, item.nSrcHeight}, part, w, h,
                      PixelRect{0, 0, w, h}, reinterpret_cast<std::uint32_t*>(image.bits()),
                      static_cast<std::size_t>(image.bytesPerLine()) / 4, ResampleFilter::Area))
        return nullptr;
    Copy& copy = m_copies[key];
    copy = Copy{item.pPixels, part, std::move(image), scale, key.whole, ++m_clock};
    return &copy;
}

bool CScaledPictures::Draw(CDC* pDC, const PageItem& item, const PixelRect& part,
                           const PixelRect& dest) {
    if (!item.pPixels || m_budget <= 0 || part.w <= 0 || part.h <= 0)
        return false;
    const QRect target(dest.x, dest.y, dest.w, dest.h);
    if (m_bInteractive) {
        const double scale = static_cast<double>(dest.w) / part.w;
        const double scaleY = static_cast<double>(dest.h) / part.h;
        const Key key{item.nId, true};
        Copy* whole = Find(key, item);
        if (!whole || whole->scale < scale * kNearestRatio || whole->scale > scale * kFarthestRatio)
            whole = Make(key, item, PixelRect{0, 0, item.nSrcWidth, item.nSrcHeight},
                         static_cast<int>(std::lround(item.nSrcWidth * scale)),
                         static_cast<int>(std::lround(item.nSrcHeight * scaleY)), scale);
        if (whole) {
            const double sx = static_cast<double>(whole->image.width()) / item.nSrcWidth;
            const double sy = static_cast<double>(whole->image.height()) / item.nSrcHeight;
            // The copy is filtered already and near the step's scale: picking
            // its pixels keeps each step as quick as a move.
            const int mode = pDC->SetStretchBltMode(COLORONCOLOR);
            pDC->DrawImage(target, whole->image,
                           QRectF(part.x * sx, part.y * sy, part.w * sx, part.h * sy));
            pDC->SetStretchBltMode(mode);
            return true;
        }
    }
    const Key key{item.nId, false};
    Copy* exact = Find(key, item);
    if (!exact || !SamePart(exact->part, part) || exact->image.size() != target.size())
        exact = Make(key, item, part, dest.w, dest.h, 0);
    if (!exact)
        return false;
    pDC->DrawImage(target, exact->image, QRectF(exact->image.rect()));
    return true;
}
