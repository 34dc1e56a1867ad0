// Resource and command ids of the program and of the framework commands it uses.
#pragma once

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

// Framework commands.
constexpr unsigned ID_FILE_NEW = 57600;
constexpr unsigned ID_FILE_OPEN = 57601;
constexpr unsigned ID_FILE_SAVE = 57603;
constexpr unsigned ID_FILE_SAVE_AS = 57604;
constexpr unsigned ID_FILE_PRINT_SETUP = 57606;
constexpr unsigned ID_FILE_PRINT = 57607;
constexpr unsigned ID_FILE_PRINT_DIRECT = 57608;
constexpr unsigned ID_FILE_PRINT_PREVIEW = 57609;
constexpr unsigned ID_FILE_MRU_FILE1 = 57616;
constexpr unsigned ID_FILE_MRU_FILE4 = 57619;
constexpr unsigned ID_EDIT_COPY = 57634;
constexpr unsigned ID_EDIT_PASTE = 57637;
constexpr unsigned ID_EDIT_UNDO = 57643;
constexpr unsigned ID_EDIT_REDO = 57644;
constexpr unsigned ID_APP_ABOUT = 57664;
constexpr unsigned ID_APP_EXIT = 57665;
constexpr unsigned ID_HELP_FINDER = 57667;
constexpr unsigned ID_NEXT_PANE = 57680;
constexpr unsigned ID_PREV_PANE = 57681;

// Bars and status-bar indicators.
constexpr unsigned AFX_IDW_TOOLBAR = 59392;
constexpr unsigned AFX_IDW_STATUS_BAR = 59393;
constexpr unsigned ID_SEPARATOR = 0;
constexpr unsigned ID_INDICATOR_CAPS = 59137;
constexpr unsigned ID_INDICATOR_NUM = 59138;
constexpr unsigned ID_INDICATOR_SCRL = 59139;

// Framework strings.
constexpr unsigned AFX_IDS_APP_TITLE = 57344;
constexpr unsigned AFX_IDS_IDLEMESSAGE = 57345;
constexpr unsigned AFX_IDS_UNTITLED = 61443;
