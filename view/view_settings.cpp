#include "view/view_settings.h"

#include "platform/qt/win_app.h"
#include "base/c_locale.h"

#include <cfloat>
#include <limits>
#include <string>

namespace {

// The leading decimal number of the stored text, as a float; one beyond the
// float range is infinite, as the processor would store it.
float ReadSpacing(CWinApp& app, const char* entry) {
    std::string text = app.GetProfileString("Gridlines", entry, "1.0");
    const double v = LeadingDecimalC(text.c_str());
    if (v > FLT_MAX)
        return std::numeric_limits<float>::infinity();
    if (v < -FLT_MAX)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(v);
}

} // namespace

ViewSettings LoadViewSettings(CWinApp& app) {
    ViewSettings s;
    s.bSnapToGrid = static_cast<int>(app.GetProfileInt("Gridlines", "Enable", 0));
    s.bShowGrid = static_cast<int>(app.GetProfileInt("Gridlines", "Show", 0));
    s.fVertSpacing = ReadSpacing(app, "Vert Spacing");
    s.fHorizSpacing = ReadSpacing(app, "Horiz Spacing");
    s.bSnapToTemplate = static_cast<int>(app.GetProfileInt("Template", "Lock", 0));
    return s;
}

void StoreViewSettings(CWinApp& app, const ViewSettings& s) {
    app.WriteProfileInt("Template", "Lock", s.bSnapToTemplate);
    app.WriteProfileInt("Gridlines", "Enable", s.bSnapToGrid);
    app.WriteProfileInt("Gridlines", "Show", s.bShowGrid);
    app.WriteProfileString("Gridlines", "Vert Spacing", FormatC("%2.4f", s.fVertSpacing).c_str());
    app.WriteProfileString("Gridlines", "Horiz Spacing", FormatC("%2.4f", s.fHorizSpacing).c_str());
}
