// The five preferences kept between runs: grid switches, grid spacings and the
// template snap switch. The view loads them when it is made and stores them
// when it is destroyed.
#pragma once

class CWinApp;

struct ViewSettings {
    int bSnapToGrid = 0;
    int bShowGrid = 0;
    float fVertSpacing = 1.0f;
    float fHorizSpacing = 1.0f;
    int bSnapToTemplate = 0;
};

// Reads "Gridlines"/"Enable", "Show", "Vert Spacing", "Horiz Spacing" and
// "Template"/"Lock", each with its default when absent. A spacing is text read
// with the C library's decimal conversion in the C locale (no number gives 0.0).
ViewSettings LoadViewSettings(CWinApp& app);
// Writes "Template"/"Lock", "Gridlines"/"Enable" and "Show" as integers, then
// both spacings as "%2.4f" text in the C locale.
void StoreViewSettings(CWinApp& app, const ViewSettings& settings);
