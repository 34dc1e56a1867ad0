#include "app/program_resources.h"

#include "platform/win/app_resources.h"
#include "res/accelerators.h"
#include "res/help_page.h"
#include "res/menu.h"
#include "res/resource.h"
#include "res/strings.h"

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
