// Ids of the dialogs' controls and of the icon the About box shows.
#pragma once

// The application icon, resource 128.
constexpr int IDI_ZELBRIN = 128;

// Controls.
constexpr int IDC_TEXT = 1001;
constexpr int IDC_HORIZ_SPACING = 1001;
constexpr int IDC_VERT_SPACING = 1002;
constexpr int IDC_BOLD = 1009;
constexpr int IDC_ITALIC = 1010;
constexpr int IDC_UNDERLINE = 1011;
constexpr int IDC_FONT = 1016;
constexpr int IDC_EXPORT_WIDTH = 1017;
constexpr int IDC_EXPORT_HEIGHT = 1018;
constexpr int IDC_TEXT_OK = 1019;
constexpr int IDC_TEXT_LEFT = 1020;
