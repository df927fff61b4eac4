// The choice of shown signs: which configured signs the main window lays out
// for editing, and on which graphic signs the route number is placed
// automatically while route-number texts per destination are on. The rows
// the dialog offers, and what its OK does with the ticks, without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The model tests of the dialog. The *Type walks give the first address
// after `a` of that kind: 17 when there is none up to 16, except the
// route-number walk, which stops at 16 and gives 16. The *Sign counts run
// over addresses 2 to 16.
int16_t IsK2000Type(int16_t a);
int16_t IsK1000Type(int16_t a);
int16_t IsK4000Type(int16_t a);
int16_t IsK2000Sign();
int16_t IsK1000Sign();
int16_t IsK4000Sign();

// One row of the dialog.
struct SignSelRow {
    enum Kind { Graphic, Text, RouteNumber };
    Kind kind = Graphic;
    int16_t address = 0;       // the boxes' tag
    std::string caption;       // "&1 -- FRONT"; the name alone from row 10 on
    bool ticked = false;
    // Graphic rows while route-number texts per destination are on.
    bool hasRouteNoBox = false;
    std::string routeNoCaption;  // "&A" for row 1 ...; empty from row 10 on
    bool routeNoTicked = false;
};

// The rows in display order: the graphic signs, the text signs, then (unless
// route-number texts per destination are on) the route-number signs, each
// group by ascending address; with the counts of the three groups.
struct SignSelRows {
    int16_t nK4000 = 0;
    int16_t nK2000 = 0;
    int16_t nK1000 = 0;
    std::vector<SignSelRow> rows;  // rows[i - 1] is row i
    int16_t Total() const { return static_cast<int16_t>(rows.size()); }
};
SignSelRows BuildSignSelRows();

// The sign in row 1 (the lowest-addressed graphic sign, else the first text
// sign, else the first route-number sign); 0 when no sign is listed. A
// document starts with it as its current, shown sign.
int16_t SignSelFirstRow();

// The ticks of one row when OK is pressed, in row order.
struct SignSelTick {
    int16_t address = 0;
    bool ticked = false;
    bool routeNoTicked = false;
};

// What OK did. Closed: nothing to choose from, the dialog closes; Refused:
// a message was shown, the dialog stays open; Accepted: the dialog closes
// and the main window is laid out again.
struct SignSelOutcome {
    enum Result { Closed, NothingTicked, OnlyRouteNumberSigns, Accepted };
    Result result = Closed;
    // The main window's route-number box: shown for the route-number signs
    // with the widest one's width as its length limit, else put back to its
    // normal state when it shows them.
    bool routeNoBoxShown = false;
    int16_t routeNoBoxLength = 0;
    bool Closes() const { return result == Closed || result == Accepted; }
    bool Relayout() const { return result == Accepted; }
};

// Texts of the dialog kept from its load: the two refusals and the caption of
// the main window's route-number label while a route-number sign is shown.
struct SignSelTexts {
    std::string nothingTicked;     // S1803
    std::string onlyRouteNumbers;  // S1804
    std::string routeNoSignLabel;  // S1805
};
SignSelTexts ReadSignSelTexts();

// OK: checks the ticks first. Nothing ticked, or only route-number signs:
// the refusal is shown through the message box and nothing is written (the
// route-number box stays as the sign table has it). Otherwise writes Shown
// (and, while route-number texts per destination are on, RouteNoShown of
// the graphic signs) of every row's sign and gK1000Shown, and makes the
// lowest-addressed ticked graphic or text sign current. No rows: closes,
// with gK1000Shown cleared.
SignSelOutcome ApplySignSel(const std::vector<SignSelTick>& ticks, const SignSelTexts& texts);

// The route-number box as the sign table asks for it (the widest shown
// route-number sign).
SignSelOutcome RouteNoBoxOfShownSigns();

}  // namespace kv
