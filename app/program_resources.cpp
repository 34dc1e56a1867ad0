#include "app/program_resources.h"

#include "platform/win/app_resources.h"
#include "res/accelerators.h"
#include "res/help_page.h"
#include "res/menu.h"
#include "res/resource.h"
#include "res/strings.h"

// The program's resource header names the framework's ids with their values.
static_assert(ID_SEPARATOR == ID_SEPARATOR && ID_FILE_NEW == ID_FILE_NEW &&
              ID_FILE_PRINT == ID_FILE_PRINT && ID_FILE_MRU_FILE1 == ID_FILE_MRU_FILE1 &&
              ID_FILE_MRU_FILE4 == ID_FILE_MRU_FILE4 && ID_APP_EXIT == ID_APP_EXIT &&
              ID_HELP_FINDER == ID_HELP_FINDER && ID_INDICATOR_CAPS == ID_INDICATOR_CAPS &&
              ID_INDICATOR_NUM == ID_INDICATOR_NUM && ID_INDICATOR_SCRL == ID_INDICATOR_SCRL &&
              AFX_IDS_APP_TITLE == AFX_IDS_APP_TITLE &&
              AFX_IDS_IDLEMESSAGE == AFX_IDS_IDLEMESSAGE && AFX_IDS_UNTITLED == AFX_IDS_UNTITLED);

const char* InstallProgramResources() {
    static const bool installed = [] {
        AppResources r;
        r.strings = [](unsigned nID) { return LoadResString(nID); };
        for (const PopupMenuDef& popup : GetMainMenu()) {
            PopupMenu menu{popup.title, {}};
            for (const MenuItemDef& item : popup.items)
                menu.items.push_back(MenuItem{item.nID, item.text, item.bGrayed});
            r.menu.push_back(std::move(menu));
        }
        for (const AccelDef& accel : GetAcceleratorTable())
            r.accelerators.push_back(Accelerator{AccelKeyText(accel), accel.nID});
        r.helpHtml = GetHelpPageHtml();
        AfxSetAppResources(std::move(r));
        return true;
    }();
    (void)installed;
    return "Zelbrin";
}
