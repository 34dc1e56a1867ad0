#include "app/sample_album.h"

#include "document/zelbrin_doc.h"
#include "imaging/jpeg_writer.h"
#include "render/headless_page.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cstring>
#include <filesystem>
#include <vector>

namespace {

QImage Beach() {
    QImage img(1200, 900, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 500);
    sky.setColorAt(0, QColor(70, 130, 210));
    sky.setColorAt(1, QColor(190, 225, 250));
    p.fillRect(0, 0, 1200, 500, sky);
    p.setBrush(QColor(255, 220, 80));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(900, 170), 80, 80);
    QLinearGradient sea(0, 500, 0, 700);
    sea.setColorAt(0, QColor(20, 90, 160));
    sea.setColorAt(1, QColor(40, 150, 190));
    p.fillRect(0, 500, 1200, 200, sea);
    p.setPen(QPen(QColor(230, 245, 255), 4));
    for (int y = 530; y < 700; y += 40)
        for (int x = (y / 40 % 2) * 60; x < 1200; x += 120)
            p.drawArc(x, y, 60, 20, 0, 180 * 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(235, 210, 160));
    QPainterPath sand;
    sand.moveTo(0, 700);
    sand.cubicTo(400, 660, 800, 740, 1200, 690);
    sand.lineTo(1200, 900);
    sand.lineTo(0, 900);
    p.drawPath(sand);
    return img;
}

QImage Mountains() {
    QImage img(900, 1200, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 700);
    sky.setColorAt(0, QColor(250, 170, 90));
    sky.setColorAt(1, QColor(250, 230, 200));
    p.fillRect(img.rect(), sky);
    p.setPen(Qt::NoPen);
    const QPolygonF back({QPointF(-50, 800), QPointF(250, 350), QPointF(500, 800)});
    const QPolygonF front({QPointF(200, 850), QPointF(600, 250), QPointF(1000, 850)});
    p.setBrush(QColor(110, 100, 140));
    p.drawPolygon(back);
    p.setBrush(QColor(80, 70, 110));
    p.drawPolygon(front);
    p.setBrush(Qt::white);
    p.drawPolygon(
        QPolygonF({QPointF(600, 250), QPointF(530, 355), QPointF(600, 330), QPointF(670, 355)}));
    QLinearGradient lake(0, 800, 0, 1200);
    lake.setColorAt(0, QColor(60, 120, 150));
    lake.setColorAt(1, QColor(20, 60, 90));
    p.fillRect(0, 800, 900, 400, lake);
    return img;
}

QImage Meadow() {
    QImage img(1200, 800, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(0, 0, 1200, 300, QColor(150, 200, 240));
    QLinearGradient grass(0, 300, 0, 800);
    grass.setColorAt(0, QColor(120, 180, 70));
    grass.setColorAt(1, QColor(50, 120, 40));
    p.fillRect(0, 300, 1200, 500, grass);
    const QColor colours[] = {QColor(230, 60, 60), QColor(250, 220, 60), QColor(240, 240, 240),
                              QColor(200, 90, 200)};
    unsigned seed = 7;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 160; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int x = static_cast<int>((seed >> 8) % 1200);
        seed = seed * 1103515245u + 12345u;
        const int y = 320 + static_cast<int>((seed >> 8) % 470);
        const int r = 4 + (y - 300) / 40;
        p.setBrush(colours[i % 4]);
        p.drawEllipse(QPoint(x, y), r, r);
    }
    return img;
}

bool WritePicture(const QImage& image, const std::string& path) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::vector<unsigned char> px(static_cast<std::size_t>(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(&px[static_cast<std::size_t>(y) * rgb.width() * 3], rgb.constScanLine(y),
                    static_cast<std::size_t>(rgb.width()) * 3);
    return WriteJpegPicture(px.data(), path.c_str(), rgb.width(), rgb.height(), 90);
}

} // namespace

bool MakeSampleAlbum(const std::string& folder, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    const fs::path dir = fs::absolute(folder, ec);
    const struct {
        const char* name;
        QImage image;
    } pictures[] = {
        {"beach.jpg", Beach()}, {"mountains.jpg", Mountains()}, {"meadow.jpg", Meadow()}};
    for (const auto& pic : pictures) {
        if (!WritePicture(pic.image, (dir / pic.name).string())) {
            error = "cannot write " + (dir / pic.name).string();
            return false;
        }
    }

    // Laid out on this screen's page by the editor's own rules, without a window.
    const HeadlessPage page = MeasureHeadlessPage(0);
    CHeadlessView view(page);
    CZelbrinDoc doc;
    doc.SetAlbumView(&view);
    doc.OnNewDocument();
    for (const auto& pic : pictures)
        if (!doc.AddPicture((dir / pic.name).string().c_str())) {
            error = "cannot read back " + (dir / pic.name).string();
            return false;
        }
    int h = 0, w = 0;
    view.GetClientExtent(h, w);
    PageItem text{};
    text.nKind = ITEM_TEXT;
    text.nSrcWidth = 100;
    text.nSrcHeight = 25;
    std::strcpy(text.szText, "Summer\r\n1998");
    text.nLines = 2;
    std::strcpy(text.szFontName, "Times New Roman");
    text.crColor = RGB(180, 40, 40);
    text.bItalic = 1;
    text.bBold = 1;
    text.rcPlace = RECT{w / 2 + 20, h / 2 - h / 10, w - 20, h / 2 + h / 10};
    text.rcSource = RECT{0, 0, 100, 25};
    doc.AppendItem(text);
    const std::string album = (dir / "sample.alb").string();
    if (!doc.SetAlbumPath(album.c_str()) || !doc.WriteAlbumFile()) {
        error = "cannot write " + album;
        return false;
    }
    return true;
}
