// How finely a picture prints: its full-size source pixels over the inches
// its place takes on paper.
#pragma once

#include "document/page_item.h"

#include <string>
#include <vector>

class CZelbrinDoc;

// Below this many pixels per inch a print job names the pictures first,
// unless the settings say otherwise.
constexpr int kDefaultMinimumPrintPpi = 150;

// The smaller of the two directions' pixels per inch on paper: twice the
// half-size crop over the place's size in inches (place pixels over
// nViewPixelsPerInch), rounded; 0 for a text or an empty place.
int PrintPixelsPerInch(const PageItem& item, int nViewPixelsPerInch);

struct SoftPicture {
    std::string name; // the picture's path as the album holds it
    int nPixelsPerInch;
};

// The page's pictures that print below nMinimum pixels per inch, in drawing
// order; none when nMinimum is 0 or less.
std::vector<SoftPicture> PicturesPrintingBelow(const CZelbrinDoc& doc, int nViewPixelsPerInch,
                                               int nMinimum);

// The message that names them: "These pictures print at fewer than N pixels
// per inch and may look soft on paper:" and a line for each.
std::string SoftPicturesMessage(const std::vector<SoftPicture>& pictures, int nMinimum);
