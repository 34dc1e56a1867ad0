// The program's dialog templates.
#pragma once

#include "platform/qt/dialog_template.h"
#include "res/dialog_ids.h"

extern const DlgTemplate kAboutTemplate;      // IDD_ABOUT
extern const DlgTemplate kTextItemTemplate;   // IDD_TEXT_ITEM
extern const DlgTemplate kGridlineTemplate;   // IDD_GRIDLINE_SETUP
extern const DlgTemplate kExportJpegTemplate; // IDD_EXPORT_JPEG

// The template with the IDD_ id, or null.
const DlgTemplate* FindDialogTemplate(int id);
