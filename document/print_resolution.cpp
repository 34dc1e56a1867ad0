#include "document/print_resolution.h"

#include "document/zelbrin_doc.h"

#include <algorithm>
#include <cmath>

int PrintPixelsPerInch(const PageItem& item, int nViewPixelsPerInch) {
    if (item.nKind != ITEM_PICTURE || nViewPixelsPerInch <= 0)
        return 0;
    const double placeW = static_cast<double>(item.rcPlace.right) - item.rcPlace.left;
    const double placeH = static_cast<double>(item.rcPlace.bottom) - item.rcPlace.top;
    const double cropW = static_cast<double>(item.rcSource.right) - item.rcSource.left;
    const double cropH = static_cast<double>(item.rcSource.bottom) - item.rcSource.top;
    if (placeW <= 0 || placeH <= 0 || cropW <= 0 || cropH <= 0)
        return 0;
    const double across = 2 * cropW * nViewPixelsPerInch / placeW;
    const double down = 2 * cropH * nViewPixelsPerInch / placeH;
    return static_cast<int>(std::lround(std::min({across, down, 1e9})));
}

std::vector<SoftPicture> PicturesPrintingBelow(const CZelbrinDoc& doc, int nViewPixelsPerInch,
                                               int nMinimum) {
    std::vector<SoftPicture> soft;
    if (nMinimum <= 0)
        return soft;
    for (int i : doc.GetDrawingOrder()) {
        const PageItem& item = doc.ItemAt(i);
        const int ppi = PrintPixelsPerInch(item, nViewPixelsPerInch);
        if (item.nKind == ITEM_PICTURE && item.pPixels && ppi < nMinimum)
            soft.push_back({item.szPath[0] ? item.szPath : item.szRelPath, ppi});
    }
    return soft;
}

std::string SoftPicturesMessage(const std::vector<SoftPicture>& pictures, int nMinimum) {
    std::string text = "These pictures print at fewer than " + std::to_string(nMinimum) +
                       " pixels per inch and may look soft on paper:";
    for (const SoftPicture& p : pictures)
        text += "\n" + p.name + ": " + std::to_string(p.nPixelsPerInch) + " ppi";
    return text;
}
