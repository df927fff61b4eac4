// Shared set-up for the text editor tests: the shipped font library and
// maps, one graphic sign made current with an empty page, a main window that
// records what the editor asks of it, and small readers of the edit state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/charmap.h"
#include "data/headmode.h"
#include "data/language.h"
#include "data/signtable.h"
#include "engine/editorview.h"
#include "engine/centring.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "engine/routefield.h"
#include "engine/signcommands.h"
#include "engine/textedit.h"
#include "engine/textstrip.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/graphics_state.h"

namespace testtext {

// The shipped library, read once and handed to the font code on every call:
// other tests empty the library or load small ones of their own.
inline void LoadShippedFonts() {
    static const std::vector<uint8_t> shipped = [] {
        std::string bytes;
        kv::ReadWholeFile(std::string(KIVAR_GEN_DIR) + "/Fonts/kstndrd.bib", bytes);
        return std::vector<uint8_t>(bytes.begin(), bytes.end());
    }();
    kv::SetFontLibraryData(shipped);
    kv::BuildFontStartTable();
    kv::BuildCharDeltaTable();
    kv::gFontPath = std::string(KIVAR_DATA_DIR) + "/Fonts/";
}

// Everything back to its start, with the texts the editor's messages use
// as recognisable stand-ins.
inline void ResetAll() {
    kv::ResetAllState();
    kv::gTextS31 = "S31";
    kv::gTextS32 = "S32";
    kv::gTextS33 = "S33";
    kv::gTextS34 = "S34";
}

// A graphic sign of w x h dots, current, with an empty page in the font.
inline void StartPage(int w, int h, const std::string& font, bool autoMode = false) {
    LoadShippedFonts();
    testgfx::MakeSign(w, h);
    kv::InstallEditorFontHooks();
    kv::gAutoMode = kv::VbBool(autoMode);
    kv::RefreshEditor(0, 0);
    kv::ReadCharMap(font);
    if (autoMode) kv::CenterRowVertically();
}

// A text sign of that model and size at address 2, current, its strip laid
// out, in font "2".
inline void StartStrip(const std::string& model, int w, int h) {
    kv::SignInfo& s = kv::SignInfoOf(2);
    s.Model = model;
    s.Width = static_cast<int16_t>(w);
    s.Height = static_cast<int16_t>(h);
    kv::gCurrentSign = 2;
    kv::LayoutTextStrip(model, s.Width, s.Height);
    kv::ReadCharMap("2");
}

// Types text: "\n" is Enter, "\b" Backspace; other characters go through
// CharCodeOf and InsertChar, as the picture's key handler does.
inline void Type(const std::string& text, int16_t fieldPos = 0) {
    for (unsigned char ch : text) {
        if (ch == '\n') {
            kv::SplitRowAtCursor();
        } else if (ch == '\b') {
            const kv::EditRow& row = kv::Row(kv::gCurrentRow);
            if (row.FirstCell == 0 || (kv::gCursorBeforeCell && kv::gCursorCell == row.FirstCell))
                kv::ReflowRows();
            else
                kv::DeleteCharAtCursor();
        } else if (kv::CharCodeOf(ch)) {
            kv::InsertChar(ch, 0, fieldPos);
            if (fieldPos) ++fieldPos;
        }
    }
}

// The page's byte commands in hex.
inline std::string Bytes() { return testgfx::Hex(kv::BuildSignData(kv::PageFirstCell())); }

// The cursor as the arrow keys leave it: after a cell, or before the first
// cell of its row.
inline void CursorAfter(int16_t cell, int16_t row) {
    kv::gCurrentRow = row;
    kv::gCursorCell = cell;
    kv::gCursorBeforeCell = 0;
    kv::gCursorX = static_cast<int16_t>(kv::Cell(cell).X + kv::Cell(cell).Width);
    kv::gCursorY = kv::Cell(cell).Y;
}
inline void CursorBefore(int16_t cell, int16_t row) {
    kv::gCurrentRow = row;
    kv::gCursorCell = cell;
    kv::gCursorBeforeCell = -1;
    kv::gCursorX = kv::Cell(cell).X;
    kv::gCursorY = kv::Cell(cell).Y;
}

// The rows of the chain as text: one string per row, the characters of its
// CellCount cells.
inline std::vector<std::string> RowTexts() {
    std::vector<std::string> out;
    int guard = 0;
    for (int16_t r = kv::gStartRow; kv::IsRowIndex(r) && guard < 10; r = kv::Row(r).NextRow, ++guard) {
        std::string s;
        int16_t c = kv::Row(r).FirstCell;
        for (int i = 0; i < kv::Row(r).CellCount && kv::IsCellIndex(c); ++i, c = kv::Cell(c).Next)
            s += static_cast<char>(kv::Cell(c).CharCode);
        out.push_back(s);
    }
    return out;
}

// The whole chain in reading order with "|" after every cell that ends a row.
inline std::string ChainText() {
    std::string s;
    int16_t c = kv::PageFirstCell();
    for (int guard = 0; kv::IsCellIndex(c) && guard < 300; ++guard, c = kv::Cell(c).Next) {
        s += static_cast<char>(kv::Cell(c).CharCode);
        if (kv::Cell(c).RowEnd) s += '|';
    }
    return s;
}

// Every link of the chain agrees with its neighbour, every row's count and
// first cell agree with the chain, and used plus free cells make 256.
inline std::string CheckInvariants() {
    int used = 0;
    int16_t prev = 0;
    int16_t c = kv::PageFirstCell();
    for (int guard = 0; kv::IsCellIndex(c); ++guard, c = kv::Cell(c).Next) {
        if (guard > 256) return "chain loops";
        if (kv::Cell(c).Prev != prev) return "Prev of cell " + std::to_string(c) + " is wrong";
        if (kv::Cell(c).FontCode == '0') return "free cell " + std::to_string(c) + " in the chain";
        prev = c;
        ++used;
    }
    int free = 0;
    for (int16_t f = kv::gCellFreeHead; kv::IsCellIndex(f); f = kv::Cell(f).NextFree) {
        if (++free > 256) return "free list loops";
    }
    if (used + free != 256) return "used " + std::to_string(used) + " + free " + std::to_string(free) + " != 256";
    int counted = 0;
    int guard = 0;
    for (int16_t r = kv::gStartRow; kv::IsRowIndex(r) && guard < 10; r = kv::Row(r).NextRow, ++guard) {
        const kv::EditRow& row = kv::Row(r);
        if ((row.FirstCell == 0) != (row.CellCount == 0)) return "row " + std::to_string(r) + " first/count disagree";
        if (row.FirstCell != 0 && kv::LastCellOfRow(row.FirstCell) == 0) return "row without end";
        if (row.FirstCell != 0) {
            int n = 0;
            int16_t x = row.FirstCell;
            for (; kv::IsCellIndex(x); x = kv::Cell(x).Next) {
                ++n;
                if (kv::Cell(x).RowEnd) break;
            }
            if (n != row.CellCount)
                return "row " + std::to_string(r) + " counts " + std::to_string(row.CellCount) + " but holds " +
                       std::to_string(n);
        }
        if (row.NextRow && kv::Row(row.NextRow).PrevRow != r) return "row links disagree";
        counted += row.CellCount;
    }
    if (counted != used) return "rows count " + std::to_string(counted) + " of " + std::to_string(used) + " cells";
    return "";
}

}  // namespace testtext
