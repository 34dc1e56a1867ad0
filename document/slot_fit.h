// Where pictures go: fitted into a template slot or a rectangle, or cascaded
// from the top-left corner when no slot is free. Sizes are view pixels of a
// W x H page; every conversion to an integer truncates toward zero.
#pragma once

#include "document/page_item.h"

// The rectangle of slot s: its centre rounded to single precision, its edges
// truncated toward zero.
RECT SlotRect(const TemplateSlot& s, int pageWidth, int pageHeight);
// Whether (x, y) lies in a slot's rectangle; the right and bottom edges lie outside.
bool InsideSlotRect(const RECT& rc, long long x, long long y);

// The width-to-height ratio of the item's crop rectangle (4 for a text item);
// false when the crop rectangle is empty.
bool CropAspect(const PageItem& item, double& aspect);

// An item of the given aspect fitted into slot s, as large as the slot allows
// and centred on it. False (out untouched) when the aspect is not a positive
// finite number.
bool FitIntoSlot(const TemplateSlot& s, double aspect, int pageWidth, int pageHeight, RECT& out);
// The same fit into the rectangle box; false also when box is empty.
bool FitIntoRect(const RECT& box, double aspect, RECT& out);

// The rectangle of the n-th item (n items before it) when no slot is free:
// half the page minus 20 as its bounding box, at 10n, 10n.
RECT CascadePlace(double aspect, int pageWidth, int pageHeight, int n);

// Lines of a text: the non-empty pieces between LF characters (a final line
// break adds none; an empty line inside still holds its CR and counts).
int CountTextLines(const char* text);
