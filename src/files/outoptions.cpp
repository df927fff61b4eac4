#include "files/outoptions.h"

#include <cmath>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "files/infoblock.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

std::string OutFileNameToStore(int16_t txlVersion) {
    // A version-4 file has no out-file configuration and is read back into
    // the old layout's name, so it carries that name.
    if (txlVersion == 4) return gAsciiName;
    return gCommandRowOn != 0 ? gPromName : gAsciiName;
}

std::string CommandFileToStore() { return gCommandFile.empty() ? std::string(kDefaultCommandFile) : gCommandFile; }

void TakeStoredOutFileName(const std::string& name) {
    if (gCommandRowOn != 0) gPromName = name;
    else gAsciiName = name;
}

void FinishOutOptionsAfterRead() {
    gFontSectionOn = VbBool(gCommandRowOn == 1);
    if (gCommandFile.empty()) gCommandFile = kDefaultCommandFile;
}

bool AnySignModelStartsWith(const SignTableView& signs, const std::string& prefix) {
    for (const SignSummary& s : signs)
        if (!s.Model.empty() && s.Model.compare(0, prefix.size(), prefix) == 0) return true;
    return false;
}

SignTableView CurrentSignView() {
    SignTableView v;
    for (size_t i = 0; i < v.size(); ++i) {
        const SignInfo& s = gSignInfo[i];
        v[i] = {s.Model, s.Width, s.Height, s.Name};
    }
    return v;
}

OutFileProjectState CurrentProjectState(int16_t documentModified) {
    OutFileProjectState st;
    st.TxlVersion = gTxlVersion;
    st.DestCodesOn = gDestCodesOn;
    st.InsertMode = gInsertMode;
    st.DocumentModified = documentModified;
    st.ExtraPerSign = gExtraPerSign;
    return st;
}

void StoreProjectState(const OutFileProjectState& st) {
    gTxlVersion = st.TxlVersion;
    gDestCodesOn = st.DestCodesOn;
    gInsertMode = st.InsertMode;
    gExtraPerSign = st.ExtraPerSign;
}

OutFilePrefsInput CurrentOutFilePrefsInput(int16_t documentModified) {
    OutFilePrefsInput in;
    in.Signs = CurrentSignView();
    in.DestLastUsed = LastUsedNumber(DestList);
    in.ExtraLastUsed = LastUsedNumber(ExtraList);
    in.Project = CurrentProjectState(documentModified);
    return in;
}

// ------------------------------------------------------------------ dialog

std::string OutFilePrefsForm::SignToShowText() const {
    return SignToShowIndex >= 0 && SignToShowIndex < static_cast<int>(SignToShowItems.size())
               ? SignToShowItems[static_cast<size_t>(SignToShowIndex)]
               : std::string();
}

std::string OutFilePrefsForm::LangFileText() const {
    return LangFileIndex >= 0 && LangFileIndex < static_cast<int>(LangFileItems.size())
               ? LangFileItems[static_cast<size_t>(LangFileIndex)]
               : std::string();
}

namespace {

// Sets a check box; a change runs its click handler.
void SetCheck(OutFilePrefsForm& f, OutFilePrefsForm::Check& c, int16_t value, void (*click)(OutFilePrefsForm&)) {
    if (c.Value == value) return;
    c.Value = value;
    click(f);
}

// The captions of the fill, read in one pass in the order they stand in the
// language file, and S2118 on its own.
void ReadCaptions(OutFilePrefsForm& f) {
    static const std::pair<const char*, const char*> kRun[] = {
        {"", "S2100"},
        {"ControlInfo_F", "S2101"},
        {"ControlInfo_CB", "S2102"},
        {"CommandRow_F", "S2103"},
        {"CommandRow_CB", "S2104"},
        {"lblComrowMems", "S2105"},
        {"lblRouteNumberStartChar", "S2106"},
        {"lblRouteNumberSeq", "S2107"},
        {"Label1", "S2108"},
        {"lblFontIncl", "S2109"},
        {"Label3", "S2110"},
        {"frm_00281_03", "S2112"},
        {"chkLinjeNummer", "S2113"},
        {"chkExtra142", "S2114"},
    };
    const size_t n = std::size(kRun);
    for (size_t i = 0; i < n; ++i) {
        const int16_t mode = i == 0 ? kIniOpenKeep : i + 1 == n ? kIniContinueClose : kIniContinue;
        f.Captions[kRun[i].first] = IniGetValue(gLanguageFile, gLanguage, kRun[i].second, mode);
    }
    std::string brisbane = IniGetValue(gLanguageFile, gLanguage, "S2118", kIniOpenClose);
    if (brisbane.size() < 2) brisbane = "Alphanumerical destinationnumbers";
    f.Captions["chkBrisbane"] = brisbane;
    f.Captions["cmdOK"] = gTextS1;
    f.Captions["cmdCancel"] = gTextS2;
}

// The name box that belongs to the layout, and its label.
void ShowNameBox(OutFilePrefsForm& f, bool layout15) {
    f.PromNameShown = layout15;
    if (layout15) f.txtPromName = gPromName;
    else f.txtAscii = gAsciiName;
    f.lblname = f.S2115 + (layout15 ? f.S2117 : f.S2116);
}

// A sign-list entry: " 2: "NAME", K4000".
std::string SignItem(int address, const SignSummary& s) {
    return " " + std::to_string(address) + ": \"" + s.Name + "\", " + s.Model;
}

}  // namespace

void OutFilePrefs_FormLoad() {
    if (!gOutCfgLoaded) {
        gCommandRowOn = 1;
        gFontSectionOn = 1;
    }
}

void InitOutFilePrefs(OutFilePrefsForm& f, const OutFilePrefsInput& in) {
    // Every fill starts from the designed state of the controls, as the
    // first one does, so that no value of an earlier fill (another
    // project's) leaks into this one through the click handlers.
    f = OutFilePrefsForm{};
    f.ExtraLastUsed = in.ExtraLastUsed;

    ReadCaptions(f);

    // Signs to show: the text and graphic signs. The stored one is chosen;
    // without it the last graphic sign at least 81 dots wide.
    f.SignToShowItems.clear();
    f.SignToShowIndex = -1;
    bool matched = false;
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        const SignSummary& s = in.Signs[static_cast<size_t>(a - kFirstSignAddress)];
        if (s.Model.compare(0, 2, "K2") != 0 && s.Model.compare(0, 2, "K4") != 0) continue;
        const std::string item = SignItem(a, s);
        f.SignToShowItems.push_back(item);
        const int index = static_cast<int>(f.SignToShowItems.size()) - 1;
        if (item == gSignToShow) {
            f.SignToShowIndex = index;
            matched = true;
        } else if (!matched && s.Model == "K4000" && s.Width >= 81) {
            f.SignToShowIndex = index;
        }
    }

    f.LangFileItems = ListCommandFiles(gCommandFile, f.LangFileIndex);

    f.RouteNumberSeq_TB = gRouteNumberSeq;
    if (!gRouteNumberSeq.empty())
        f.RouteNumberStartChar_TB =
            gRouteNumberStartIndex >= 1 ? Mid(gRouteNumberSeq, gRouteNumberStartIndex, 1) : std::string();
    f.ComrowMems_TB = std::to_string(gComrowMems);
    f.lblFontIncl_Visible = gFontSectionOn != 0;

    SetControlInfo(f, gCommandRowOn == 1 ? 1 : 0);
    SetCommandRow(f, gControlInfoOn == 1 ? 1 : 0);
    SetLinjeNummer(f, gLineNumberOn ? 1 : 0);

    SetExtra142(f, in.Project.ExtraPerSign ? 1 : 0);
    f.chkExtra142.Enabled = gCommandRowOn == 1 && in.ExtraLastUsed == 0;

    const bool codes = in.Project.TxlVersion == 6 || (in.Project.TxlVersion == 7 && in.Project.DestCodesOn);
    SetBrisbane(f, codes ? 1 : 0);

    gOptionsDestCount = in.DestLastUsed;
    f.chkBrisbane.Enabled = gCommandRowOn == 1 && gOptionsDestCount == 0;
}

void OutFilePrefs_FormActivate(OutFilePrefsForm& f) {
    f.S2111 = IniGetValue(gLanguageFile, gLanguage, "S2111", kIniOpenKeep);
    f.S2115 = IniGetValue(gLanguageFile, gLanguage, "S2115", kIniContinue);
    f.S2116 = IniGetValue(gLanguageFile, gLanguage, "S2116", kIniContinue);
    f.S2117 = IniGetValue(gLanguageFile, gLanguage, "S2117", kIniContinueClose);
    CheckRouteNumberStartChar(f);
    if (gControlInfoOn == 1 && gCommandRowOn == 1) ChangeMode(f, 2);
    else if (gCommandRowOn == 1) ChangeMode(f, 1);
    else ChangeMode(f, 0);
    ShowNameBox(f, gCommandRowOn == 1);
}

void ChangeMode(OutFilePrefsForm& f, uint8_t layout) {
    f.Layout = layout;
    f.ControlInfo_F_Enabled = layout != 0;
    f.lblFontIncl_Visible = layout != 0;
    f.CommandRow_F_Enabled = f.CommandRow_F_Visible = layout == 2;
    f.frm_00281_03_Enabled = f.frm_00281_03_Visible = layout != 0;
    f.CommandRow_CB.Enabled = layout != 0;
    if (layout == 1) SetCommandRow(f, 0);
    if (layout == 2) SetCommandRow(f, 1);
    if (layout != 0) SetControlInfo(f, 1);
    if (layout == 0) f.chkBrisbane.Enabled = false;
    if (layout == 1) f.chkBrisbane.Enabled = gOptionsDestCount == 0;
}

void SetControlInfo(OutFilePrefsForm& f, int16_t v) { SetCheck(f, f.ControlInfo_CB, v, ControlInfo_CB_Click); }
void SetCommandRow(OutFilePrefsForm& f, int16_t v) { SetCheck(f, f.CommandRow_CB, v, CommandRow_CB_Click); }
void SetLinjeNummer(OutFilePrefsForm& f, int16_t v) { SetCheck(f, f.chkLinjeNummer, v, chkLinjeNummer_Click); }
void SetExtra142(OutFilePrefsForm& f, int16_t v) { SetCheck(f, f.chkExtra142, v, chkExtra142_Click); }
void SetBrisbane(OutFilePrefsForm& f, int16_t v) { SetCheck(f, f.chkBrisbane, v, chkBrisbane_Click); }

void ControlInfo_CB_Click(OutFilePrefsForm& f) {
    const bool on = f.ControlInfo_CB.Value == 1;
    if (on) {
        ChangeMode(f, 1);
    } else {
        ChangeMode(f, 0);
        SetExtra142(f, 0);
    }
    ShowNameBox(f, on);
    f.chkExtra142.Enabled = on && f.ExtraLastUsed == 0;
    f.chkBrisbane.Enabled = on && gOptionsDestCount == 0;
}

void CommandRow_CB_Click(OutFilePrefsForm& f) {
    if (f.Layout == 0) return;
    ChangeMode(f, f.CommandRow_CB.Value == 1 ? 2 : 1);
}

void chkBrisbane_Click(OutFilePrefsForm& f) {
    if (f.chkBrisbane.Value == 1) {
        SetControlInfo(f, 1);
        f.ControlInfo_CB.Enabled = false;
        f.SavedLinjeNummer = f.chkLinjeNummer.Value;
        SetLinjeNummer(f, 1);
        f.chkLinjeNummer.Enabled = false;
    } else {
        f.chkLinjeNummer.Enabled = true;
        SetLinjeNummer(f, f.SavedLinjeNummer);
        f.ControlInfo_CB.Enabled = f.chkExtra142.Value != 1;
    }
}

void chkExtra142_Click(OutFilePrefsForm& f) {
    if (f.chkExtra142.Value == 1) {
        SetControlInfo(f, 1);
        f.ControlInfo_CB.Enabled = false;
    } else if (f.chkBrisbane.Value != 1) {
        f.ControlInfo_CB.Enabled = true;
    }
}

void chkLinjeNummer_Click(OutFilePrefsForm& f) { f.RouteNumberFieldsEnabled = f.chkLinjeNummer.Value != 1; }

bool RouteNumberFields_LostFocus(OutFilePrefsForm& f) { return CheckRouteNumberStartChar(f); }

bool txtAscii_KeyPress(int keyAscii) {
    if ((keyAscii >= '0' && keyAscii <= '9') || keyAscii == 8 || keyAscii == 9) return true;
    Beep();
    return false;
}

namespace {
bool StartCharValid(const OutFilePrefsForm& f) {
    return f.RouteNumberStartChar_TB.size() == 1 && InStr(f.RouteNumberSeq_TB, f.RouteNumberStartChar_TB) > 0;
}
}  // namespace

bool CheckRouteNumberStartChar(OutFilePrefsForm& f) {
    if (StartCharValid(f)) return true;
    MsgBox("'" + f.RouteNumberStartChar_TB + f.S2111, vbExclamation + vbOKOnly);
    ResetRouteNumberStartChar(f);
    return false;
}

void ResetRouteNumberStartChar(OutFilePrefsForm& f) { f.RouteNumberStartChar_TB = Left(LTrim(f.RouteNumberSeq_TB), 1); }

int16_t ComrowMemsValue(const std::string& text) { return CIntClamp(Val(text)); }

bool ComrowMemsIsNumber(const std::string& text) {
    const std::string t = Trim(text);
    size_t i = t.empty() || (t[0] != '+' && t[0] != '-') ? 0 : 1;
    size_t digits = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9') ++digits;
        else if (t[i] == '.' && !point) point = true;
        else return false;
    }
    return digits > 0;
}

bool OutFilePrefs_OK(OutFilePrefsForm& f, OutFileProjectState& project) {
    if (!StartCharValid(f)) {
        CheckRouteNumberStartChar(f);
        ResetRouteNumberStartChar(f);
        return false;
    }
    if (f.ControlInfo_CB.Value == 1 && f.CommandRow_CB.Value == 1 && !ComrowMemsIsNumber(f.ComrowMems_TB)) {
        Beep();
        return false;
    }
    int16_t& modified = project.DocumentModified;
    auto mark = [&](bool differs) {
        if (!modified && differs) modified = kTrue;
    };

    if (f.ControlInfo_CB.Value == 1) {
        const std::string commandFile = f.LangFileText();
        const int16_t extra = VbBool(f.chkExtra142.Value == 1);
        mark(commandFile != gCommandFile || extra != project.ExtraPerSign || gFontSectionOn != kTrue ||
             gCommandRowOn != 1);
        gCommandRowOn = 1;
        gFontSectionOn = kTrue;
        gCommandFile = commandFile;
        project.ExtraPerSign = extra;

        if (f.chkBrisbane.Enabled) {
            if (f.chkBrisbane.Value == 1) {
                mark(project.TxlVersion != 6);
                project.TxlVersion = 6;
                project.DestCodesOn = kTrue;
                if (project.InsertMode) {
                    MsgBox(gTextS155.size() < 2 ? std::string("Insertmode disabled!") : gTextS155, vbOKOnly);
                    project.InsertMode = kFalse;
                }
            } else {
                mark(project.TxlVersion != 5);
                project.TxlVersion = 5;
            }
        }
        project.DestCodesOn =
            VbBool(project.TxlVersion == 6 || (project.TxlVersion == 7 && project.DestCodesOn != 0));

        if (f.CommandRow_CB.Value == 1) {
            const int16_t start = static_cast<int16_t>(InStr(f.RouteNumberSeq_TB, f.RouteNumberStartChar_TB));
            const int16_t mems = ComrowMemsValue(f.ComrowMems_TB);
            mark(start != gRouteNumberStartIndex || f.RouteNumberSeq_TB != gRouteNumberSeq || gControlInfoOn != 1 ||
                 mems != gComrowMems);
            gControlInfoOn = 1;
            gComrowMems = mems;
            gRouteNumberSeq = f.RouteNumberSeq_TB;
            gRouteNumberStartIndex = start;
        } else {
            mark(gControlInfoOn != 0);
            gControlInfoOn = 0;
        }

        const int16_t lineNumber = VbBool(f.chkLinjeNummer.Value == 1);
        mark(lineNumber != gLineNumberOn);
        gLineNumberOn = lineNumber;
    } else {
        mark(gLineNumberOn != 0 || gControlInfoOn != 0 || project.ExtraPerSign != 0 || gFontSectionOn != 0 ||
             gCommandRowOn != 0);
        gLineNumberOn = gControlInfoOn = project.ExtraPerSign = gFontSectionOn = gCommandRowOn = 0;
    }

    const std::string sign = f.SignToShowText();
    mark(sign != gSignToShow);
    gSignToShow = sign;

    if (gCommandRowOn != 0) {
        const std::string name = RTrim(f.txtPromName);
        mark(name != gPromName);
        gPromName = name;
    } else {
        const std::string name = RTrim(f.txtAscii);
        mark(name != gAsciiName);
        gAsciiName = name;
    }
    return true;
}

}  // namespace kv
