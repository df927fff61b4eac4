// The two tools of the route-number dialog that work through the whole
// destination table: route-number generation (the route number in the
// route-number field of a master graphic sign is typed into each chosen
// route-number sign or graphic sign at address 9 to 16) and super copy (every
// page of the master's text and sign data is copied into each chosen graphic
// sign). Extra texts are not touched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The dialog runs as super copy (else as route-number generation).
extern int16_t gSuperCopyMode;

// One line of the dialog's sign lists and the sign it names.
struct RouteToolSign {
    int16_t address = 0;
    std::string line;
};
// The lists of the current mode, addresses ascending, configured signs only.
// Generation: targets are the route-number and graphic signs at 9 to 16 (all
// selected), masters the graphic signs at 2 to 8. Super copy: targets and
// masters are the graphic signs at 2 to 16 (no target selected). A target
// line is the address, a Tab, the name (8 places), a Tab and the dimension
// (6 places); a master line the address, four blanks, the name, three blanks
// and the dimension.
struct RouteToolLists {
    std::vector<RouteToolSign> targets, masters;
    bool targetsSelected = false;
};
RouteToolLists RouteToolSignLists();

// The dialog's caption and the captions of its two lists in the current mode.
struct RouteToolTexts {
    std::string caption, from, to;
};
RouteToolTexts RouteToolCaptions();

// The dialog opens: no answer to the replace question is given yet.
void OpenRouteTool();

// What the tools ask of the main window while they run.
class RouteToolWindow {
public:
    virtual ~RouteToolWindow() = default;
    // Lays out the sign pictures of the shown signs, lets pending events run
    // and lays them out once more.
    virtual void LayoutSigns() {}
    // The graphic sign at `address` becomes the current sign, its picture
    // active and its editor empty and in text mode, ready for typing.
    virtual void TypeIntoGraphicSign(int16_t address) {}
    // The route-number box takes route numbers as long as the route-number
    // sign at `address` shows.
    virtual void TypeIntoRouteNumberSign(int16_t address) {}
    // After a run: the window set up again for the current sign.
    virtual void RestoreSigns() {}
    // The replace question with the window caption `caption`: 6 yes, 700214
    // yes to all, 7 no, 670517 no to all, -1 closed.
    virtual int32_t ReplaceQuestion(const std::string& caption, const std::string& question);
    // The dialog's caption while super copy runs.
    virtual void ShowCaption(const std::string& caption) {}
};

// Generation from `master` into `targets` in their order, typing each route
// number into the target and committing it as Save and new does. Only
// destinations whose master text holds a route-number field are written;
// each is asked about unless "yes to all" or "no to all" was answered. The
// shown signs, the current sign and the route-number sign flag are put back
// afterwards. Nothing while the extra texts are the active list.
void GenerateRouteNumbers(int16_t master, const std::vector<int16_t>& targets, RouteToolWindow& window);

// Super copy from `master` into `targets`: a target equal to the master
// shows "Same address!" and is skipped. A destination whose target already
// holds a text is asked about once: the answer holds for all its pages.
// The project is marked modified when anything was written.
void SuperCopy(int16_t master, const std::vector<int16_t>& targets, RouteToolWindow& window);

// The page `page` (1..pages) of a master's section text as super copy copies
// it: everything after the first "# " for a single page; for several, the
// page's own "#" field. Empty when the section holds no "# ".
std::string SuperCopyPageText(const std::string& section, int16_t page, int16_t pages);

void ResetRouteTools();

}  // namespace kv
