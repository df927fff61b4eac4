// The numbers of the main window's layout: where its resize handler puts the
// lists, the record buttons and the number group, and how a sign picture's
// frame, status bar and zoom button fit around the picture.
#pragma once

#include <array>
#include <string>

namespace kv {

struct Box {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Box&) const = default;
};

// The controls that the window's resize handler moves, in client pixels.
struct HeadGeometry {
    Box DestList, ExtraList, SizeFrame, Remove, SaveDestOrExtra, SaveAndNew, Ch_Frame;
    Box CurrNoTxt, LineNo_txt, Label3, LineNo_lbl;
    // The other controls below the sign area; they move down with it.
    Box Ch_Check, BlackOut_chk, lblBlackOut, cmdMatrix16, cmdX, Label2;
};

// Their designed places, from which the first layout starts.
HeadGeometry DesignedHeadGeometry();

// The top of the controls below the sign area in the designed layout: the
// sign pictures stand above it, the buttons, boxes and lists from it down.
constexpr int kControlsTop = 180;

// Places the lists, the font frame, the record buttons, the changing-text
// frame and the number group for a client area of that size. Widths are
// taken from `g` as they stand, so widths changed elsewhere are respected.
// `extra` is how far the sign area reaches below kControlsTop: every control
// below it stands that much lower than designed and the lists are that much
// shorter (down to their least height of 100).
void LayoutHead(int clientWidth, int clientHeight, HeadGeometry& g, int extra = 0);

// The sign area: from `top` down to the controls. It is as high as its
// content needs, at least down to kControlsTop and at most so far that the
// controls and lists of their least height still fit the client height;
// beyond that it scrolls.
struct SignAreaPlace {
    int height = 0;
    int extra = 0;         // how far it reaches below kControlsTop
    bool scrolls = false;  // the content is higher than the area
    bool operator==(const SignAreaPlace&) const = default;
};
SignAreaPlace LayoutSignArea(int clientHeight, int top, int contentHeight);

// Width in pixels of the character strip of a one-row text sign of that
// many characters.
int TextStripWidth(int characters);

// Where the character strip of the current text sign stands in the sign
// area. Alone it is centred in the area and on the height of the editor
// picture (at the area's top). Below the frames of graphic signs (their rows
// `rowsHeight` high, 0 when none) it is centred in the area.
Box TextStripPlace(int width, int height, int areaWidth, int editorHeight, int rowsHeight);

// A sign picture's frame and what sits on it, in the frame's pixels.
struct SignFrameGeometry {
    int frameWidth = 0, frameHeight = 0;
    Box picture, label, statusBar, zoomButton;
    std::array<int, 5> panelWidths{};  // panels 1..5
};

// Fits the frame around a picture of that size and shares the status bar's
// width among its five panels. `nameWidth`, `sizeWidth` and `addressWidth`
// are the natural widths of the texts of panels 1 to 3; the zoom button and
// the label keep their sizes.
SignFrameGeometry LayoutSignFrame(int pictureWidth, int pictureHeight, int nameWidth, int sizeWidth, int addressWidth,
                                  int zoomWidth = 23, int zoomHeight = 17, int labelWidth = 101, int labelHeight = 13);

// The page options TNo_op(1..20) and the change time (caption lblChTime and
// box txtCurrChTime) inside the frame Ch_Frame, in the frame's pixels. The
// options stand ten to a row (1 to 10, 11 to 20) below the frame's title,
// each as wide as it needs and 2 apart; the caption stands to their right on
// one line, the box below it. The frame is as wide as that needs, at least
// `designedWidth`. `options` holds the natural sizes of options 1..20
// (index 0 is option 1).
struct ChangingTextsGeometry {
    int frameWidth = 0;
    std::array<Box, 20> options{};
    Box label, box;
};
ChangingTextsGeometry LayoutChangingTexts(const std::array<Box, 20>& options, const Box& label, const Box& box,
                                          int titleHeight, int designedWidth = 305);

// The texts of panels 2 and 3 of a sign's status bar.
std::string SignSizeText(int width, int height);  // "112x16 "
std::string SignAddressText(int address);         // "5  "

}  // namespace kv
