#include "app/headtexts.h"

#include "data/ini.h"
#include "data/language.h"

namespace kv {

namespace {

struct KeyedCaption {
    int key;
    const char* control;   // "" for a key that is read but not shown
    const char* fallback;  // "" for none
};

// The first continuing run, in the order of the language file. The three
// import items read S152..S154, which stand after S149 in the file.
const KeyedCaption kRun[] = {
    {3, "mnuArkiv", ""},
    {4, "mnuNytt", ""},
    {5, "mnu\xC3\x96ppna", ""},
    {7, "mnuSparasom", ""},
    {8, "mnuSkrivut", ""},
    {9, "mnuAvsluta", ""},
    {10, "mnuRedigera", ""},
    {11, "Cut_e", ""},
    {12, "Paste_e", ""},
    {14, "mnuAlternativ", ""},
    {16, "h_e", ""},
    {51, "lblBlackOut", ""},
    {52, "Ch_Check", ""},
    {53, "Ch_Frame", ""},
    {54, "SizeFrame", ""},
    {56, "AutoSign_lbl2", ""},
    {58, "Label1", ""},
    {61, "Label4", ""},
    {62, "mnuSkrivutTillskrivare", ""},
    {63, "mnuSkrivutTillfil", ""},
    {65, "cutALL_E", ""},
    {66, "Im_e", ""},
    {67, "Export_e", ""},
    {68, "Std_grf", ""},
    {69, "Import_e", ""},
    {71, "Signconfig_e", ""},
    {72, "Ln_e", ""},
    {73, "Transferfile_e", ""},
    {74, "User_e", ""},
    {75, "l_e", ""},
    {76, "", ""},
    {77, "ExpandMore_e", ""},
    {78, "ExpandLess_e", ""},
    {79, "", ""},
    {80, "tx_e", ""},
    {81, "mnuTextDesttext", ""},
    {82, "mnuTextExtratext", ""},
    {84, "Signs_e", ""},
    {85, "T_e", ""},
    {86, "Font_e", ""},
    {87, "Show_e", ""},
    {88, "Insert_LineNo_e", ""},
    {91, "About_e", ""},
    {111, "SaveAndNew", ""},
    {128, "mnuLayoutInvertera", "Invert"},
    {132, "mnuArkivImport", "&Import"},
    {136, "mnuArkivExport", "&Export"},
    {137, "mnuSkrivutTillskrivareBilder", "Sign as bitmap"},
    {138, "mnuSkrivutAktuellSkylt", "Current Sign"},
    {139, "mnuTools", "&Tools"},
    {140, "mnuToolsShowtime", "&Sign simulation..."},
    {141, "mnuToolsGenerateLineNo", "&Generate RouteNo..."},
    {142, "mnuTransferFileToTDOrLoader", "F&ile to Kivar-T..."},
    {143, "", ""},
    {144, "", ""},
    {145, "", ""},
    {146, "", ""},
    {147, "", ""},
    {148, "mnuTransferIntelHex", "IntelHe&x..."},
    {149, "", ""},
    {152, "mnuArkivImportFil2Dest", "&Destination list..."},
    {153, "mnuArkivImportEnBild", "&Single bitmap..."},
    {154, "mnuArkivImportBilder", "&Multi bitmaps..."},
};

const char* const kToolbarKeys[16] = {"tbTextMode", "tbGraphMode", "tbLeft",     "tbCenter",    "tbRight", "tbPoint",
                                      "tbLine",     "tbRect",      "tbCapture",  "tbFill",      "tbRefresh",
                                      "tbUndo",     "tbMirrorHor", "tbMirrorVer", "tbRotCW",    "tbRotCCW"};

std::string Read(const std::string& key, int16_t mode) { return IniGetValue(gLanguageFile, gLanguage, key, mode); }

// The value, or the built-in text (when there is one) for an absent key.
std::string OrFallback(const std::string& v, const char* fallback) {
    return v == "0" && *fallback ? std::string(fallback) : v;
}

}  // namespace

std::string HeadTexts::Caption(const std::string& control) const {
    std::string found;
    for (const auto& c : captions)
        if (c.control == control) found = c.text;
    return found;
}

HeadTexts ReadHeadTexts() {
    HeadTexts t;
    auto set = [&t](const std::string& control, const std::string& text) { t.captions.push_back({control, text}); };

    set("Del_e", gTextS13);
    set("auto_e", gTextS76);
    set("ShowLineNo_e", gTextS83);
    set("\xC3\xB6_e", gTextS89);
    set("mnuSpara", gTextS6);
    set("mnuTransferToFile", gTextS121);
    set("mnuTransferToTDOrLoader", gTextS90);
    set("mnuInst\xC3\xA4llningar", gTextS15);
    set("lblChTime", gTextS109);

    const size_t n = std::size(kRun);
    std::vector<std::string> values(n);
    for (size_t i = 0; i < n; ++i) {
        int16_t mode = i == 0 ? kIniOpenKeep : i + 1 == n ? kIniContinueClose : kIniContinue;
        values[i] = Read("S" + std::to_string(kRun[i].key), mode);
    }
    auto value = [&](int key) -> std::string {
        for (size_t i = 0; i < n; ++i)
            if (kRun[i].key == key) return values[i];
        return "0";
    };

    // Captions as read, or their built-in English texts; the export item
    // copies the import item's caption.
    for (size_t i = 0; i < n; ++i)
        if (*kRun[i].control) set(kRun[i].control, OrFallback(values[i], kRun[i].fallback));
    set("mnuArkivExportDest2Fil", t.Caption("mnuArkivImportFil2Dest"));

    t.importTitle = value(143);
    t.exportTitle = value(144);
    t.copyExtraCancelled = OrFallback(value(145), "Operation 'Copy Extratexts' canceled!");
    t.newDestNumber = OrFallback(value(146), "Enter new destnumber");
    t.newExtraNumber = OrFallback(value(147), "Enter new extranumber");
    t.conversionReady = OrFallback(value(149), "Conversion ready!");

    set("mnuToolsGenerateMBL", OrFallback(Read("S151", kIniOpenClose), "&Programmed route numbers..."));

    for (int i = 0; i < 16; ++i) t.toolbarKeys[i] = Read(kToolbarKeys[i], i == 15 ? kIniContinueClose : kIniContinue);
    t.insertModeTip = Read("S2207", kIniOpenClose);
    return t;
}

const std::array<ToolbarButton, 38>& ToolbarButtons() {
    using B = ToolbarButton;
    static const std::array<ToolbarButton, 38> buttons = {{
        {1, "New", B::Default, true, false, "New"},
        {2, "Open", B::Default, true, false, "Open"},
        {3, "Save", B::Default, true, false, "Save"},
        {4, "", B::Separator, true, false, ""},
        {5, "TextMode", B::Group, true, true, "Textmode"},
        {6, "GraphMode", B::Group, true, false, "Graphmode"},
        {7, "", B::Separator, true, false, ""},
        {8, "Print", B::Default, true, false, "Print"},
        {9, "", B::Separator, true, false, ""},
        {10, "Left", B::Check, true, false, "Left Justify"},
        {11, "Center", B::Check, true, false, "Center"},
        {12, "Right", B::Check, true, false, "Right Justify"},
        {13, "", B::Separator, true, false, ""},
        {14, "Automatik", B::Check, true, false, ""},
        {15, "", B::Separator, true, false, ""},
        {16, "SpridMera", B::Default, true, false, "Expand more"},
        {17, "SpridMindre", B::Default, true, false, "Expand less"},
        {18, "InvText", B::Default, true, false, "Invert text"},
        {19, "", B::Separator, true, false, ""},
        {20, "Point", B::Group, true, false, "Point"},
        {21, "Line", B::Group, true, false, "Line"},
        {22, "Rect", B::Group, true, false, "Rectangle"},
        {23, "Sax", B::Group, true, false, "Capture"},
        {24, "Fill", B::Group, true, false, "Fill"},
        {25, "Refresh", B::Default, true, false, "Refresh"},
        {26, "Undo", B::Default, true, false, "Undo"},
        {27, "", B::Separator, true, false, ""},
        {28, "Dot1", B::Group, false, true, ""},
        {29, "Dot2", B::Group, false, false, ""},
        {30, "Dot3", B::Group, false, false, ""},
        {31, "Dot4", B::Group, false, false, ""},
        {32, "", B::Separator, true, false, ""},
        {33, "MirrorHor", B::Default, false, false, "Mirror horizontally"},
        {34, "MirrorVer", B::Default, false, false, "Mirror vertically"},
        {35, "InvGraph", B::Default, false, false, "Invert"},
        {36, "RotCW", B::Default, false, false, "Rotate CW"},
        {37, "RotCCW", B::Default, false, false, "Rotate CCW"},
        {38, "DeleteGraph", B::Default, false, false, "Delete"},
    }};
    return buttons;
}

std::vector<std::pair<int, std::string>> ToolbarTooltips(const HeadTexts& t) {
    // Captions shown as tooltips lose their access-key marks.
    auto plain = [](const std::string& caption) { return RemoveString(caption, "&"); };
    const auto& k = t.toolbarKeys;
    return {
        {1, plain(t.Caption("mnuNytt"))},
        {2, plain(t.Caption("mnu\xC3\x96ppna"))},
        {3, plain(gTextS6)},
        {5, k[0]},
        {6, k[1]},
        {8, plain(t.Caption("mnuSkrivut"))},
        {10, k[2]},
        {11, k[3]},
        {12, k[4]},
        {14, t.insertModeTip},
        {16, plain(t.Caption("ExpandMore_e"))},
        {17, plain(t.Caption("ExpandLess_e"))},
        {18, plain(t.Caption("mnuLayoutInvertera"))},
        {20, k[5]},
        {21, k[6]},
        {22, k[7]},
        {23, k[8]},
        {24, k[9]},
        {25, k[10]},
        {26, k[11]},
        {33, k[12]},
        {34, k[13]},
        {35, plain(t.Caption("mnuLayoutInvertera"))},
        {36, k[14]},
        {37, k[15]},
        {38, plain(gTextS64)},
    };
}

}  // namespace kv
