// Pictures into sign graphics: every pixel of a picture whose colour differs
// from the chosen background colour lights one dot of the current graphic
// sign, without scaling. The bounding box of those pixels is placed on the
// sign by the alignment toggles of the import dialog. Also: the distinct
// colours of a picture (from which the background is chosen), and whether
// the page an import would write already holds something.
//
// Colours are 32-bit values 0x00BBGGRR (red in the low byte); -1 is no
// colour: the colour of a point outside the picture, and the background
// while none is chosen.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kv {

// A loaded picture: width x height pixels, row by row from the top left.
struct PixelPicture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<int32_t> pixels;

    PixelPicture() = default;
    PixelPicture(int32_t w, int32_t h, int32_t colour = 0xFFFFFF);
    // The colour at (x, y); -1 outside the picture.
    int32_t Point(int32_t x, int32_t y) const;
    // Sets the colour at (x, y); nothing outside the picture.
    void PSet(int32_t x, int32_t y, int32_t colour);
};

// A picture file that cannot be read as a picture; the message names it.
struct PictureLoadError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The background colour of the import (-1 while none is chosen; 0 at start).
extern int32_t m_lBackColor;
// The number of colours the last single load found (17 after an overflow).
extern int32_t m_lColorCount;

// The colours the preview marks converted pixels with.
constexpr int32_t kPreviewLit = 0x00FFFF;  // yellow
constexpr int32_t kPreviewUnlit = 0;

// The six alignment toggles of the import dialog (pressed = true).
struct Alignment {
    bool HAL = false, HAC = false, HAR = false;
    bool VAT = false, VAC = false, VAB = false;
};

// What the import dialog shows while a picture is read and converted.
class PictureImportView {
public:
    virtual ~PictureImportView() = default;
    // The progress bar pgbStatus.
    virtual void ShowProgress(bool visible) {}
    virtual void SetProgressRange(int32_t min, int32_t max) {}
    virtual int32_t ProgressMax() { return 0; }
    virtual void SetProgressValue(int32_t value) {}
    // The picture box shows `picture` (the preview marks included) and the
    // dialog repaints; `step` while the conversion goes on (a view may let
    // some steps pass).
    virtual void ShowPicture(const PixelPicture& picture, bool step = false) {}
    // The first panel of the status bar.
    virtual void SetStatusText(const std::string& text) {}
    // The alignment toggles as pressed now.
    virtual Alignment AlignmentToggles() { return {}; }
    // Reads a picture file (throws PictureLoadError when it does not load).
    virtual PixelPicture LoadPicture(const std::string& path) = 0;

    // A batch: the check box chkSetDisplayText asks for every picture's
    // display text.
    virtual bool AsksDisplayText() { return false; }
    // Offers `proposed` in txtDisplayText with `length` characters from
    // `start` (0-based) selected, OK and Skip enabled, and waits: true with
    // the confirmed text; false when the picture is skipped or the dialog
    // closed.
    virtual bool AskDisplayText(const std::string& proposed, int start, int length, std::string& text) {
        text = proposed;
        return true;
    }
    // The dialog has been closed: a running batch ends.
    virtual bool Closed() { return false; }
};

// The distinct colours of the picture, row by row from the top left, in
// order of first appearance (colors[0] is the colour of pixel (0, 0)). The
// scan stops at the first colour beyond maxCount (maxCount 0: no limit),
// which stays in the list, and sets overflow. With `progress` (the scan
// shown) it is called every 100 pixels with the pixels read so far and the
// percentage text (".##" and " %"), and once at the end with "100 %".
// firstX and firstY are set to -1. Returns the number of colours.
using ScanProgress = std::function<void(int32_t counted, const std::string& percent)>;
int32_t CollectColors(const PixelPicture& picture, std::vector<int32_t>& colors, int32_t maxCount, int16_t& overflow,
                      const ScanProgress& progress, int32_t& firstX, int32_t& firstY);

// The bounding box of the pixels that are neither m_lBackColor nor -1;
// (0, 0, 0, 0) when there are none.
void GetPictureBounds(const PixelPicture& picture, int32_t& left, int32_t& top, int32_t& right, int32_t& bottom);

// The offsets and the dot of a picture pixel for a sign of W x H dots and
// the box of the picture's foreground. Horizontal: left wins over right
// and centre; vertical: top over bottom and centre; with no toggle pressed
// the picture keeps its own coordinates; a box that starts at or beyond the
// sign's edge is not moved.
struct PicturePlacement {
    int32_t offX = 0, offY = 0, cx = 0, cy = 0;
    bool centreX = false, centreY = false;
    int32_t DotColumn(int32_t x) const { return centreX ? x - offX + cx - 1 : x - offX; }
    int32_t DotRow(int32_t y) const { return centreY ? y - offY + cy : y - offY; }
};
PicturePlacement PlacePicture(const Alignment& a, int32_t W, int32_t H, int32_t left, int32_t top, int32_t right,
                       int32_t bottom);

// Converts the picture into the graphic layer of the current sign's
// graphic: the layer is cleared, every foreground pixel of the box lights
// its dot when the dot lies in 0..W x 0..H (others are dropped), and the
// picture's pixels of the box are marked in the preview colours. The view's
// progress bar runs over W x H. False, with nothing changed, when the
// current sign has no graphic.
bool ConvertPicture(PictureImportView& view, PixelPicture& picture);
// The current sign is a graphic sign, which a picture can go into.
bool CurrentSignTakesPictures();

// The page that a commit would write (current sign, gCurrentPage of the
// current entry of the active list) exists and holds something.
bool CurrentEntryExists();

}  // namespace kv
