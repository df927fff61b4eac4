#include "app/headlayout.h"

#include <algorithm>
#include <utility>

#include "platform/vb.h"

namespace kv {

namespace {

// The smallest client area at which the lists still grow.
constexpr int kMinClientWidth = 641;
constexpr int kMinClientHeight = 398;
constexpr int kListTop = 288;
constexpr int kListLeft = 8;

int Round(double v) { return static_cast<int>(RoundHalfEven(v)); }

}  // namespace

HeadGeometry DesignedHeadGeometry() {
    HeadGeometry g;
    g.DestList = {8, 288, 625, 95};
    g.ExtraList = {8, 288, 625, 100};
    g.SizeFrame = {504, 26, 155, 33};
    g.Remove = {556, 192, 80, 25};
    g.SaveDestOrExtra = {468, 192, 80, 25};
    g.SaveAndNew = {356, 192, 105, 25};
    g.Ch_Frame = {176, 184, 305, 77};
    g.CurrNoTxt = {520, 224, 47, 19};
    g.LineNo_txt = {520, 248, 47, 19};
    g.Label3 = {352, 228, 160, 17};
    g.LineNo_lbl = {352, 248, 160, 17};
    g.Ch_Check = {8, 188, 120, 17};
    g.BlackOut_chk = {8, 210, 16, 17};
    g.lblBlackOut = {26, 211, 100, 15};
    g.cmdMatrix16 = {8, 232, 80, 23};
    g.cmdX = {96, 232, 60, 23};
    g.Label2 = {8, 270, 300, 16};
    return g;
}

void LayoutHead(int w, int h, HeadGeometry& g, int extra) {
    extra = std::max(extra, 0);
    for (Box* list : {&g.DestList, &g.ExtraList}) {
        list->top = kListTop + extra;
        list->left = kListLeft;
        list->width = w > kMinClientWidth ? w - 16 : kMinClientWidth - 16;
        list->height = h - extra > kMinClientHeight ? h - 298 - extra : 100;
    }
    g.SizeFrame.left = w - 160;
    g.Remove.left = g.SizeFrame.left + g.SizeFrame.width - g.Remove.width;
    g.SaveDestOrExtra.left = g.Remove.left - g.SaveDestOrExtra.width - 8;
    g.SaveAndNew.left = g.SaveDestOrExtra.left - g.SaveAndNew.width - 8;
    g.Ch_Frame.left = g.SaveAndNew.left - g.Ch_Frame.width - 16;
    const int shift = Round(w - 100.0 + g.CurrNoTxt.width - g.CurrNoTxt.left);
    for (Box* b : {&g.CurrNoTxt, &g.Label3, &g.LineNo_txt, &g.LineNo_lbl}) b->left += shift;
    // Below the sign area everything stands `extra` lower than designed.
    const HeadGeometry d = DesignedHeadGeometry();
    const std::pair<Box*, const Box*> below[] = {
        {&g.Remove, &d.Remove},       {&g.SaveDestOrExtra, &d.SaveDestOrExtra}, {&g.SaveAndNew, &d.SaveAndNew},
        {&g.Ch_Frame, &d.Ch_Frame},   {&g.CurrNoTxt, &d.CurrNoTxt},             {&g.LineNo_txt, &d.LineNo_txt},
        {&g.Label3, &d.Label3},       {&g.LineNo_lbl, &d.LineNo_lbl},           {&g.Ch_Check, &d.Ch_Check},
        {&g.BlackOut_chk, &d.BlackOut_chk}, {&g.lblBlackOut, &d.lblBlackOut},   {&g.cmdMatrix16, &d.cmdMatrix16},
        {&g.cmdX, &d.cmdX},           {&g.Label2, &d.Label2},
    };
    for (const auto& [box, designed] : below) box->top = designed->top + extra;
}

SignAreaPlace LayoutSignArea(int clientHeight, int top, int contentHeight) {
    // Below the area: the controls down to the lists, the lists at their
    // least height and their bottom margin.
    const int below = kListTop - kControlsTop + 100 + 10;
    const int least = kControlsTop - top;
    const int most = std::max(least, clientHeight - below - top);
    SignAreaPlace a;
    a.height = std::clamp(contentHeight, least, most);
    a.extra = top + a.height - kControlsTop;
    a.scrolls = contentHeight > a.height;
    return a;
}

int TextStripWidth(int characters) { return (characters - 1) * 5 + characters * 25 + 2; }

Box TextStripPlace(int width, int height, int areaWidth, int editorHeight, int rowsHeight) {
    const int left = std::max(0, (areaWidth - width) / 2);
    if (rowsHeight <= 0) return {left, std::max(0, (editorHeight - height) / 2), width, height};
    return {left, rowsHeight, width, height};
}

SignFrameGeometry LayoutSignFrame(int pw, int ph, int nameWidth, int sizeWidth, int addressWidth, int zoomWidth,
                                  int zoomHeight, int labelWidth, int labelHeight) {
    SignFrameGeometry f;
    f.frameWidth = pw + 6;
    f.frameHeight = ph + 25;
    f.picture = {2, 2, pw, ph};
    f.label = {4, 4, labelWidth, labelHeight};
    f.statusBar = {2, f.frameHeight - 19 - 4, f.frameWidth - 4, 19};

    auto& p = f.panelWidths;
    p = {nameWidth, sizeWidth, addressWidth, 15, 0};
    int spare = Round(static_cast<double>(f.statusBar.width) - (p[0] + p[1] + p[2] + p[3]) - zoomWidth - 7);
    if (spare >= 0) {
        p[4] = spare;
    } else {
        p[4] = 1;
        int w1 = p[0] + spare - 1;
        if (w1 > 0) {
            p[0] = w1;
        } else {
            spare = p[1] + spare - 1;
            p[1] = 1;
            w1 = p[0] + spare - 1;
            if (w1 > 0) {
                p[0] = w1;
            } else {
                spare = p[2] + spare - 1;
                p[2] = 1;
                // Too narrow even for panels 2 and 3 at one pixel: panel 1
                // keeps one pixel too.
                w1 = p[0] + spare - 1;
                p[0] = w1 > 0 ? w1 : 1;
            }
        }
    }
    f.zoomButton = {f.frameWidth - zoomWidth - 4, f.statusBar.top + 2, zoomWidth, zoomHeight};
    return f;
}

ChangingTextsGeometry LayoutChangingTexts(const std::array<Box, 20>& options, const Box& label, const Box& box,
                                          int titleHeight, int designedWidth) {
    constexpr int kMargin = 6, kGap = 2, kPerRow = 10;
    ChangingTextsGeometry g;
    const int top = titleHeight + 2;
    int rowHeight = 0;
    for (const Box& o : options) rowHeight = std::max(rowHeight, o.height);
    int x = kMargin, optionsRight = kMargin;
    for (size_t i = 0; i < options.size(); ++i) {
        if (i % kPerRow == 0) x = kMargin;
        const int row = static_cast<int>(i) / kPerRow;
        g.options[i] = {x, top + row * rowHeight, options[i].width, options[i].height};
        x += options[i].width + kGap;
        optionsRight = std::max(optionsRight, x - kGap);
    }
    const int column = optionsRight + 3 * kGap;
    g.label = {column, top, label.width, label.height};
    g.box = {column, top + label.height + 2 * kGap, box.width, box.height};
    g.frameWidth = std::max(designedWidth, column + std::max(label.width, box.width) + kMargin);
    return g;
}

std::string SignSizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height) + " "; }

std::string SignAddressText(int address) { return std::to_string(address) + "  "; }

}  // namespace kv
