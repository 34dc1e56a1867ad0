// Resource and command ids of the program and of the framework commands it uses.
#pragma once

#include "base/framework_ids.h"

// Menu, accelerators, icon, tool bar and document template string share this id.
constexpr unsigned IDR_MAINFRAME = 128;

// The program's own commands.
constexpr unsigned ID_TEXT_COLOR = 32775;
constexpr unsigned ID_NEW_TEXT_ITEM = 32776;
constexpr unsigned ID_OPEN_DOCUMENT = 32780;
constexpr unsigned ID_DUPLICATE_OBJECT = 32783;
constexpr unsigned ID_DELETE_OBJECT = 32790;
constexpr unsigned ID_TEXT_UNDERLINE = 32793;
constexpr unsigned ID_TEXT_BOLD = 32794;
constexpr unsigned ID_TEXT_ITALIC = 32795;
constexpr unsigned ID_SHOW_GRIDLINES = 32797;
constexpr unsigned ID_GRIDLINE_SPACING = 32799;
constexpr unsigned ID_SNAP_TO_GRID = 32801;
constexpr unsigned ID_EXPORT_PAGE = 32802;
constexpr unsigned ID_SEND_TO_BACK = 32803;
constexpr unsigned ID_LOAD_TEMPLATE = 32805;
constexpr unsigned ID_SAVE_TEMPLATE = 32807;
constexpr unsigned ID_SNAP_TO_TEMPLATE = 32808;
constexpr unsigned ID_ROTATE_LEFT = 32810;
constexpr unsigned ID_ROTATE_RIGHT = 32811;
constexpr unsigned ID_FIND_MISSING = 32812;

// The status-bar pane of the selected picture's print resolution.
constexpr unsigned ID_INDICATOR_PPI = 59150;

// The application icon, resource 128.
constexpr int IDI_ZELBRIN = 128;

// The dialogs' controls.
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
