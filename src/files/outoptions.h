// The out-file options of a project (the option set itself is project data:
// data/outsettings.h): how the project file stores them.
//
// The second half is the options dialog without its window: the state of its
// controls and the rules of its handlers. The window (frmPrefOUTFile) keeps
// one OutFilePrefsForm for as long as it stays loaded and mirrors it.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "data/outsettings.h"
#include "data/signtable.h"

namespace kv {

// --- Project-file helpers
// Field "out-file name": the layout-1.5 name while gCommandRowOn is non-zero,
// else the old layout's digits; format 4 (read back into the old layout's
// name) always carries the digits.
std::string OutFileNameToStore(int16_t txlVersion);
// The command file as stored: the shipped file when none is chosen.
std::string CommandFileToStore();
// The stored name goes to gPromName when the options just read choose
// layout 1.5, else to gAsciiName.
void TakeStoredOutFileName(const std::string& name);
// After a project file is read: the fonts go with layout 1.5 only, and an
// empty command file becomes the shipped one.
void FinishOutOptionsAfterRead();

// --- What the options dialog and the information block know of the signs
// One sign slot as the out-file sees it; the caller fills it from the sign
// table (index = address - 2, an empty model for an unused address).
struct SignSummary {
    std::string Model;
    int16_t Width = 0;
    int16_t Height = 0;
    std::string Name;
};
using SignTableView = std::array<SignSummary, kSignCount>;
// True when some sign's model begins with the prefix.
bool AnySignModelStartsWith(const SignTableView& signs, const std::string& prefix);

// Project state outside the option set that the dialog reads and changes;
// the caller copies it from its globals and back.
struct OutFileProjectState {
    int16_t TxlVersion = 5;
    int16_t DestCodesOn = 0;
    int16_t InsertMode = 0;
    int16_t DocumentModified = 0;
    int16_t ExtraPerSign = 0;
};

// The sign table as the out-file sees it.
SignTableView CurrentSignView();
// The project globals behind OutFileProjectState (the document's modified
// flag is the caller's), and storing them back.
OutFileProjectState CurrentProjectState(int16_t documentModified);
void StoreProjectState(const OutFileProjectState& state);

// --- The dialog
struct OutFilePrefsForm {
    struct Check {
        int16_t Value = 0;  // 0 or 1
        bool Enabled = true;
    };
    // The layouts: 0 old out-file, 1 layout 1.5, 2 layout 1.5 with the
    // route-number characters frame.
    uint8_t Layout = 0;
    Check ControlInfo_CB, CommandRow_CB, chkLinjeNummer, chkExtra142, chkBrisbane;
    int16_t SavedLinjeNummer = 0;  // chkLinjeNummer while destination codes force it

    bool ControlInfo_F_Enabled = true;
    bool CommandRow_F_Enabled = true, CommandRow_F_Visible = true;
    bool frm_00281_03_Enabled = true, frm_00281_03_Visible = true;
    bool lblFontIncl_Visible = true;
    // lblRouteNumberSeq, lblRouteNumberStartChar and their two text boxes.
    bool RouteNumberFieldsEnabled = true;

    std::string RouteNumberSeq_TB, RouteNumberStartChar_TB, ComrowMems_TB;
    std::string txtPromName, txtAscii;
    bool PromNameShown = true;  // txtPromName shown and txtAscii hidden, or the reverse
    std::string lblname;

    std::vector<std::string> SignToShowItems;
    int SignToShowIndex = -1;
    std::vector<std::string> LangFileItems;
    int LangFileIndex = -1;

    // Captions by control name ("" for the form itself).
    std::map<std::string, std::string> Captions;
    std::string S2111, S2115, S2116, S2117;

    // Facts of the project kept from the fill.
    int16_t ExtraLastUsed = 0;

    std::string SignToShowText() const;
    std::string LangFileText() const;
};

// What the fill needs besides the option set.
struct OutFilePrefsInput {
    SignTableView Signs;
    int16_t DestLastUsed = 0;   // LastUsedNumber of the destination list
    int16_t ExtraLastUsed = 0;  // LastUsedNumber of the extra-text list
    OutFileProjectState Project;
};

// The fill's input from the project's tables and lists.
OutFilePrefsInput CurrentOutFilePrefsInput(int16_t documentModified);

// Load handler, first load only: a project without a stored configuration
// gets layout 1.5 with fonts.
void OutFilePrefs_FormLoad();
// Fills the dialog from the options (frmHead.InitOutFilePrefs).
void InitOutFilePrefs(OutFilePrefsForm& f, const OutFilePrefsInput& in);
// Activate handler: its texts, the start-character check, the layout and the
// name box.
void OutFilePrefs_FormActivate(OutFilePrefsForm& f);
void ChangeMode(OutFilePrefsForm& f, uint8_t layout);

// Setting a check box from code to another value runs its click handler, as
// a click does; these are the ways to change one.
void SetControlInfo(OutFilePrefsForm& f, int16_t value);
void SetCommandRow(OutFilePrefsForm& f, int16_t value);
void SetLinjeNummer(OutFilePrefsForm& f, int16_t value);
void SetExtra142(OutFilePrefsForm& f, int16_t value);
void SetBrisbane(OutFilePrefsForm& f, int16_t value);

void ControlInfo_CB_Click(OutFilePrefsForm& f);
void CommandRow_CB_Click(OutFilePrefsForm& f);
void chkBrisbane_Click(OutFilePrefsForm& f);
void chkExtra142_Click(OutFilePrefsForm& f);
void chkLinjeNummer_Click(OutFilePrefsForm& f);
// Both text boxes check the start character when they lose the focus;
// false when it was refused (and reset).
bool RouteNumberFields_LostFocus(OutFilePrefsForm& f);
// The name digits box: digits, Backspace and Tab pass; anything else beeps
// and is dropped (false).
bool txtAscii_KeyPress(int keyAscii);

// True when the start field holds one character of the sequence; otherwise
// the message, the start field reset, and false.
bool CheckRouteNumberStartChar(OutFilePrefsForm& f);
void ResetRouteNumberStartChar(OutFilePrefsForm& f);
// The whole number the command-row memories box holds: its numeric value,
// rounded, kept to the 16-bit range (text that is no number gives 0).
int16_t ComrowMemsValue(const std::string& text);
// The box holds a number: blanks around an optional sign, digits and an
// optional decimal part.
bool ComrowMemsIsNumber(const std::string& text);

// OK: stores the dialog into the options and `project`. False when the start
// character is wrong, or when the command-row memories are to be stored and
// the box holds no number (a beep): nothing is stored and the dialog stays
// open.
bool OutFilePrefs_OK(OutFilePrefsForm& f, OutFileProjectState& project);

}  // namespace kv
