// Where new pictures go: fitted into a template slot, or cascaded from the
// top-left corner when no slot is free. Sizes are view pixels of a W x H page.
#pragma once

#include "document/page_item.h"

// The rectangle of an item of aspect a (width / height) fitted into slot s:
// as large as the slot allows, centred on it.
RECT FitIntoSlot(const TemplateSlot& s, double aspect, int pageWidth, int pageHeight);

// The rectangle of the n-th item (n items before it) when no slot is free:
// half the page minus 20 as its bounding box, at 10n, 10n.
RECT CascadePlace(double aspect, int pageWidth, int pageHeight, int n);

// Lines of a text: the non-empty pieces between LF characters (a final line
// break adds none; an empty line inside still holds its CR and counts).
int CountTextLines(const char* text);
