// How the core reaches the user: message boxes, beeps, the event pump and
// the busy pointer. The Qt layer installs its host at start; tests install a
// fake that records and answers. The core never ends the program: it raises
// an error (platform/error.h) and the Qt layer decides.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Message box styles and answers, with the window system's numbers.
enum : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
    vbDefaultButton2 = 256,
};
enum : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// "Kivar32®" in Windows-1252.
extern const std::string kMsgTitle;

class UiHost {
public:
    virtual ~UiHost() = default;
    // Text and title are Windows-1252. Returns one of vbOK..vbNo.
    virtual int MessageBox(const std::string& text, int style, const std::string& title) = 0;
    virtual void Beep() {}
    // Lets the window system process pending events.
    virtual void DoEvents() {}
    // Hourglass (true) or default (false) mouse pointer.
    virtual void SetBusy(bool) {}

    // The caption window frmCaption, modal: its text box Cap_txt shows
    // `proposed`; returns the text of Cap_txt when the window closes.
    virtual std::string CaptionPrompt(const std::string& proposed) { return proposed; }

    // The replace question frmReplace, modal, with `question` as its
    // message: 6 yes, 700214 yes to all, 7 no, 670517 no to all; closing it
    // gives -1.
    virtual int32_t ReplaceQuestion(const std::string& question) { return -1; }

    // The route-number dialog frmMBL, modal. It leaves its results in
    // gMBLRouteNo, gMBLFont, gRouteNoLeft and gMBLAccepted.
    virtual void RouteNumberDialog() {}

    // A run of many steps (platform/progress.h): from its start to its end
    // the windows take no input but that of the questions it asks; its
    // progress window is shown, or moved on, with `done` of `total` steps
    // under `text`, and closed at the end.
    virtual void StartRun() {}
    virtual void ShowProgress(const std::string& text, int32_t done, int32_t total) {}
    virtual void EndRun() {}
};

// The host in use; a console host that writes to stderr and answers with the
// first button until another is installed.
UiHost& Ui();
void SetUiHost(UiHost* host);  // nullptr restores the console host

int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = kMsgTitle);
void Beep();
void DoEvents();
void SetBusy(bool busy);

}  // namespace kv
