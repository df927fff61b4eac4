#include "app/listswitch.h"

#include "app/doccommands.h"
#include "app/entryload.h"
#include "app/entrywindow.h"
#include "app/signcontrols.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/startup.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

int16_t WholeExtraTextSign() {
    int16_t sign = FirstSignOfModels({"K4000"});
    if (sign == 0) sign = FirstSignOfModels({"K2000_2R", "K4000", "K2000_1R"});
    if (sign == 0) sign = kLastSignAddress;
    return sign;
}

namespace {

// Extra texts without sections per sign are edited on one sign (sign
// configuration and the shown-signs choice are not offered meanwhile).
void ShowOneSignForExtraTexts() {
    CommandPort().EnableMenuItem("Signconfig_e", false);
    CommandPort().EnableMenuItem("Signs_e", false);
    const int16_t sign = WholeExtraTextSign();
    ShowOnlySign(sign);
    SignWindow& signs = SignWindowPort();
    signs.UpdateSignControls(gCurrentSign);
    signs.LayoutSignPictures(true, false);
    if (SignInfoOf(sign).Model == "K4000") {
        signs.ResetActivePicture();
        EntryPort().ChangeAddress(SignInfoOf(sign).GraphicIndex, true, true);
    }
}

}  // namespace

void SwitchList(bool destinations) {
    CommandState& menus = CommandPort();
    ListWindow& lists = ListPort();
    if (!menus.MenuItemChecked(destinations ? "mnuTextDesttext" : "mnuTextExtratext")) {
        lists.ShowList(destinations);
        lists.SetListCaptions(destinations ? gTextS60 : gTextS92, destinations ? gTextS55 : gTextS93);
        lists.SetNumberBoxMaxLength(destinations ? 4 : 3);
        gDestListActive = VbBool(destinations);
        menus.CheckMenuItem("mnuTextDesttext", destinations);
        menus.CheckMenuItem("mnuTextExtratext", !destinations);
        lists.ShowBlackoutBox(destinations);
        ShowCurrentNumber();
        if (destinations) {
            menus.EnableMenuItem("Signconfig_e", true);
            menus.EnableMenuItem("Signs_e", true);
        }
        WindowPort().SetChangingTextsChecked(false);
        gCurrentPage = 1;
        gChangeTime = gDefaultChangeTime;
        if (!destinations && !gExtraPerSign) ShowOneSignForExtraTexts();
        AdjustLists();
        menus.EnableMenuItem("mnuToolsShowtime", destinations);
        menus.EnableMenuItem("mnuToolsSuperCopy", destinations);
        // Generation commits into the destinations.
        menus.EnableMenuItem("mnuToolsGenerateLineNo", destinations);
    }
    // The route-number box of a shown route-number sign goes with the extra
    // texts and comes back with the destinations while extra texts have
    // sections per sign.
    if (gK1000Shown && (!destinations || gExtraPerSign)) lists.ShowRouteNumberBox(destinations);
    if (destinations && gStartUp) return;
    FocusEditedSign();
}

}  // namespace kv
