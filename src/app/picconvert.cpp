#include "app/picconvert.h"

#include <algorithm>

#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int32_t m_lBackColor = 0;
int32_t m_lColorCount = 0;

PixelPicture::PixelPicture(int32_t w, int32_t h, int32_t colour)
    : width(std::max(w, 0)), height(std::max(h, 0)),
      pixels(static_cast<size_t>(width) * static_cast<size_t>(height), colour) {}

int32_t PixelPicture::Point(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return -1;
    return pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
}

void PixelPicture::PSet(int32_t x, int32_t y, int32_t colour) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] = colour;
}

namespace {

// The hourglass while a picture is read, the normal pointer on every way out.
struct BusyPointer {
    BusyPointer() { SetBusy(true); }
    ~BusyPointer() { SetBusy(false); }
};

// Half of n plus `from`, rounded as a whole: a half goes to the even
// neighbour (a box of columns 1..4 is centred on 2, not on 1 + 2).
int32_t HalfToEven(int32_t n, int32_t from = 0) { return CLng(n / 2.0 + from); }

}  // namespace

int32_t CollectColors(const PixelPicture& picture, std::vector<int32_t>& colors, int32_t maxCount, int16_t& overflow,
                      const ScanProgress& progress, int32_t& firstX, int32_t& firstY) {
    BusyPointer busy;
    colors.clear();
    overflow = kFalse;
    firstX = firstY = -1;
    const int32_t w = picture.width, h = picture.height;
    const double total = static_cast<double>(w) * h;
    int64_t counter = 0;
    for (int32_t y = 0; y < h && !overflow; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            ++counter;
            if (progress && counter % 100 == 0)
                progress(static_cast<int32_t>(counter), Format(static_cast<double>(counter) / total * 100, ".##") + " %");
            const int32_t c = picture.Point(x, y);
            if (c == -1 || std::find(colors.begin(), colors.end(), c) != colors.end()) continue;
            colors.push_back(c);
            if (maxCount != 0 && static_cast<int32_t>(colors.size()) > maxCount) {
                overflow = kTrue;
                break;
            }
        }
    }
    if (progress) progress(static_cast<int32_t>(counter), "100 %");
    return static_cast<int32_t>(colors.size());
}

void GetPictureBounds(const PixelPicture& picture, int32_t& left, int32_t& top, int32_t& right, int32_t& bottom) {
    const int32_t w = picture.width, h = picture.height;
    left = 2 * w;
    top = 2 * h;
    right = bottom = -1;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const int32_t c = picture.Point(x, y);
            if (c == m_lBackColor || c == -1) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (left == 2 * w) left = 0;
    if (top == 2 * h) top = 0;
    if (right == -1) right = left;
    if (bottom == -1) bottom = top;
}

PicturePlacement PlacePicture(const Alignment& a, int32_t W, int32_t H, int32_t left, int32_t top, int32_t right,
                              int32_t bottom) {
    PicturePlacement p;
    p.cx = HalfToEven(W);
    p.cy = HalfToEven(H);
    p.centreX = a.HAC;
    p.centreY = a.VAC;
    if (W <= left) p.offX = 0;
    else if (a.HAL) p.offX = left;
    else if (a.HAR) p.offX = right + 1 - W;
    else if (a.HAC) p.offX = HalfToEven(right - left, left);
    if (H <= top) p.offY = 0;
    else if (a.VAT) p.offY = top;
    else if (a.VAB) p.offY = bottom + 1 - H;
    else if (a.VAC) p.offY = HalfToEven(bottom - top + 1, top);
    return p;
}

bool CurrentSignTakesPictures() {
    return IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000";
}

bool ConvertPicture(PictureImportView& view, PixelPicture& picture) {
    if (!CurrentSignTakesPictures()) return false;
    const int16_t k = SignInfoOf(gCurrentSign).GraphicIndex;
    if (!CheckGraphicIndex(k)) return false;
    const int32_t boundX = GraphicLayerBound(k, 1), boundY = GraphicLayerBound(k, 2);
    const int32_t W = boundX - 5, H = boundY - 5;
    if (W < 0 || H < 0) return false;

    BusyPointer busy;
    const Alignment a = view.AlignmentToggles();
    view.ShowPicture(picture);
    ResizeGraphicLayer(k, boundX, boundY);
    view.SetProgressRange(0, W * H);
    view.ShowProgress(true);

    int32_t left = 0, top = 0, right = 0, bottom = 0;
    GetPictureBounds(picture, left, top, right, bottom);
    const PicturePlacement p = PlacePicture(a, W, H, left, top, right, bottom);

    int64_t counter = 0;
    for (int32_t y = top; y <= bottom; ++y) {
        for (int32_t x = left; x <= right; ++x) {
            ++counter;
            const int32_t c = x >= picture.width || y >= picture.height ? m_lBackColor : picture.Point(x, y);
            if (counter % 10 == 0 && view.ProgressMax() >= counter) {
                view.SetProgressValue(static_cast<int32_t>(counter));
                view.ShowPicture(picture, true);
            }
            if (c == m_lBackColor || c == -1) {
                picture.PSet(x, y, kPreviewUnlit);
                continue;
            }
            const int32_t dx = p.DotColumn(x), dy = p.DotRow(y);
            if (dx >= 0 && dx <= W && dy >= 0 && dy <= H) SetGraphicPixel(k, dx, dy, -1);
            picture.PSet(x, y, kPreviewLit);
        }
    }
    view.SetProgressValue(view.ProgressMax());
    view.ShowPicture(picture);
    view.ShowProgress(false);
    return true;
}

bool CurrentEntryExists() {
    const int16_t wanted = gCurrentPage;
    int16_t page = gCurrentPage, multi = kFalse;
    std::string text;
    if (gDestListActive) text = GetActiveRow(gCurrentDest, gCurrentSign, page, multi);
    else if (gExtraPerSign) text = GetActiveRow(gCurrentExtra, gCurrentSign, page, multi);
    else text = GetExtraRow(gCurrentExtra, page, multi);
    // A sign of one page answers every page with its first.
    if (!multi && wanted != 1) return false;
    return !text.empty();
}

namespace {
const ResetRegistrar kReset("picture conversion", StateLayer::App, [] {
    m_lBackColor = 0;
    m_lColorCount = 0;
});
}  // namespace

}  // namespace kv
