// The project-wide route-number settings beyond those of the route-number
// area itself (engine/routenumber.h): the distance of the area from its sign
// edge, the sample digits, the font, and the size of the area, which is
// recomputed from the font whenever a project is read or the settings change.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kv {

// Distance in dots of the area from the left edge (left placement) or the
// right edge (right placement).
extern int16_t gRouteNoPos;
// Sample route number; placeholders show its last characters.
extern std::string gLineNoFields;
// Font code (one character) of the route-number characters.
extern std::string gRouteNoFont;
// Size of the area in fifths of a dot.
extern int16_t gRouteNoAreaWidth;
extern int16_t gRouteNoAreaHeight;
// Set once the editor has placed a route-number field in a text; cleared
// when a project file is read.
extern int16_t gRouteNoFieldPlaced;

// Measures a character of a font as the editor draws it: width and height in
// fifths of a dot. False (and 0 x 0) when the font has no glyph for it.
using RouteNoCharMeasure = std::function<bool(const std::string& fontId, int16_t charCode, int16_t& w, int16_t& h)>;
// Installs the measure; an empty function restores the font library's (the
// glyph of the character in the font's map, measured in the library).
void SetRouteNoCharMeasure(RouteNoCharMeasure measure);
bool MeasureRouteNoChar(const std::string& fontId, int16_t charCode, int16_t& w, int16_t& h);

// Places the area for the current sign from the stored settings: the font
// is the default route-number font of the sign's height, the area is as high
// as its "0" and as wide as gLineNoFieldCount whole-dot "0"s, and it starts
// gRouteNoPos dots from the left edge, or ends that far from the right edge
// of the editor picture (`rightEdge`, fifths of a dot).
void PlaceRouteNoArea(int32_t rightEdge);
// The same with the right edge of the graphic sign's editor picture.
void RecalcRouteNoArea();
// The settings of project files that stored none: three characters at the
// left, sample "4567890", an area of 135 x 65 at (0, 0). The position stays.
void SetOldRouteNoDefaults();

// The route-number layout dialog's arithmetic.
//
// The counts it offers: 1 up to MaxLineNumbers (3 or 4). A count taken from
// a project or remembered earlier is shown as the nearest count offered.
int16_t OfferedLineNoCounts();
int16_t ClampLineNoCount(int16_t count);
// The sample as it is stored: as typed, whatever the count, filled up to 4
// characters from "4567890" ("12" is kept as "1245", "" as "4567", "1234"
// as it is); a longer sample is cut to 4 characters.
std::string StoredRouteNoSample(const std::string& sample);
// The first `count` characters of the stored sample: what the sample box
// shows for a count.
std::string ShownRouteNoSample(int16_t count);

// The layout dialog's fields when OK is pressed.
struct RouteNoLayoutChoice {
    int16_t count = 3;      // the chosen count
    bool left = true;       // left end, else right end
    std::string startPos;   // dots from the left edge (left end)
    std::string endPos;     // dots from the right edge (right end); empty reads 0
    std::string sample;     // the sample route number
};
// OK: stores the count, the end, the distance and the sample, and places the
// area on the current sign: its font is the route-number font of the sign's
// height, and at the right end it ends the distance before the sign's edge.
void ApplyRouteNoLayout(const RouteNoLayoutChoice& choice);
// The area placed again from the stored settings against the current sign's
// own width (the end it stands at, its distance, font and size).
void PlaceRouteNoAreaOnSign();
// The end and the distance of the area cannot change while texts hold
// route-number fields or placeholders: true when some destination 1 to the
// last one in use holds "<L/", "<L:" or "<L>", or a field was placed since
// the project was read (only while any destination is in use).
bool RouteNoPlacementLocked();

void ResetRouteNoLayout();

}  // namespace kv
