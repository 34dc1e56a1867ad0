#include "render/text_images.h"

#include "platform/qt/gdi.h"

#include <QPainter>

#include <algorithm>

namespace {

// draw(dc, w, h) into image through a memory DC.
void DrawInto(CDC* pLike, QImage& image, const std::function<void(CDC*, int, int)>& draw) {
    CDC dc;
    if (!dc.CreateCompatibleDC(pLike))
        return;
    CBitmap box;
    box.Image() = image;
    image = QImage();
    CBitmap* old = dc.SelectObject(&box);
    draw(&dc, box.Image().width(), box.Image().height());
    dc.SelectObject(old);
    dc.DeleteDC();
    image = box.Image();
}

// Whether the text's image drawn over a background gives the pixels of the
// text drawn there itself: where glyphs overlap, blending them over each
// other first rounds differently. Tried over three backgrounds of varied
// greys and colours, so that every pixel meets several.
bool SameAsDrawn(CDC* pLike, const QImage& text, const std::function<void(CDC*, int, int)>& draw) {
    for (int pass = 0; pass < 3; ++pass) {
        QImage under(text.size(), QImage::Format_RGB32);
        for (int y = 0; y < under.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(under.scanLine(y));
            for (int x = 0; x < under.width(); ++x)
                row[x] =
                    qRgb((x * 37 + y * 11 + pass * 85) % 256, (x * 13 + y * 29 + pass * 50) % 256,
                         (x * 7 + y * 43 + pass * 120) % 256);
        }
        QImage drawn = under.copy();
        DrawInto(pLike, drawn, draw);
        {
            QPainter p(&under);
            p.drawImage(0, 0, text);
        }
        if (drawn != under)
            return false;
    }
    return true;
}

} // namespace

bool CTextImages::Draw(CDC* pDC, const std::string& key, int x, int y, int w, int h,
                       const std::function<void(CDC*, int, int)>& draw) {
    if (w <= 0 || h <= 0)
        return true;
    // A box of more than a sixteenth of the budget is drawn as it is.
    const long long bytes = 4ll * w * h;
    if (bytes > m_budget / 16)
        return false;
    auto found = m_images.find(key);
    if (found == m_images.end()) {
        MakeRoom(bytes);
        QImage text(w, h, QImage::Format_ARGB32_Premultiplied);
        if (text.isNull())
            return false;
        text.fill(Qt::transparent);
        DrawInto(pDC, text, draw);
        // A text whose image would not give its pixels is kept as such, an
        // empty image, and drawn directly.
        if (!SameAsDrawn(pDC, text, draw))
            text = QImage();
        found = m_images.emplace(key, Image{text, bytes, 0}).first;
        m_held += bytes;
    }
    found->second.used = ++m_clock;
    if (found->second.pixels.isNull())
        return false;
    pDC->DrawImage(x, y, found->second.pixels);
    return true;
}

void CTextImages::MakeRoom(long long bytes) {
    // The least recently drawn go first.
    while (m_held + bytes > m_budget && !m_images.empty()) {
        auto oldest = std::min_element(m_images.begin(), m_images.end(), [](auto& a, auto& b) {
            return a.second.used < b.second.used;
        });
        m_held -= oldest->second.bytes;
        m_images.erase(oldest);
    }
}

void CTextImages::Clear() {
    m_images.clear();
    m_held = 0;
}
