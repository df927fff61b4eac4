// The graphic tools of the graphic sign picture: the selection rectangle and
// the tool points it carries, point (four pens), line, rectangle, fill and
// the one-step undo. All of them work on the graphic layer of the current
// sign graphic and paint every dot they change on the picture at once.
//
// Selection and tool points are in fifths of a dot (the editor's pixels);
// "\" in the comments is integer division truncating toward zero.
#pragma once

#include <cstdint>

namespace kv {

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0;

// Selection corners, or the tool's mouse points: the point and fill tools
// use (gSelX1, gSelY1) = 5 x the dot; line and rectangle use 5 x the dot + 2
// for both ends.
extern int16_t gSelX1;
extern int16_t gSelY1;
extern int16_t gSelX2;
extern int16_t gSelY2;
// A selection rectangle is shown on the picture.
extern int16_t gAreaSelected;
// 1 rectangle, 2 line, 3 point, 4 fill, 20 selection, 21 moving the selection.
extern int16_t gCurrentTool;
// Pen of the point tool, 0..3 (1x1, 2x2, 3x3, 4x4 dots).
extern int16_t gPenSize;

// Swaps the corners so that gSelX1 <= gSelX2 and gSelY1 <= gSelY2.
void NormalizeSelection();
// Limits x corners to 0..5W and y corners to 0..5H of the current sign.
void ClampSelection();
// v limited to 0..W+1 (dimension 1) or 0..H+1 (dimension 2).
int32_t ClampDotCoordinate(int32_t v, int16_t dimension);

// Mouse button 1 draws lit dots, 2 (for the point tool) or anything but 1
// (line, rectangle, fill) unlit ones. Every tool that changes the layer sets
// gGraphicModified and gHasGraphic.
void DrawGraphicPoint(int16_t button);
void DrawGraphicLine(int16_t button);
void DrawGraphicRect(int16_t button);
void FloodFillGraphic(int16_t button);

// The undo copy: the whole graphic layer into the undo layer, and back. Undo
// does not repaint.
void SaveUndo();
void UndoGraphic();

// One dot of graphic k written lit (-1) or unlit (0) and painted or erased
// on the picture.
void SetGraphicDot(int16_t k, int32_t x, int32_t y);
void ClearGraphicDot(int16_t k, int32_t x, int32_t y);
// One of the two by `lit`.
void PutGraphicDot(int16_t k, int32_t x, int32_t y, bool lit);
// The graphic of the page has changed: gGraphicModified and gHasGraphic set.
void MarkGraphicChanged();

void ResetGraphicTools();

}  // namespace kv
