// What a sign picture's editor holds, as characters: the cells of its rows
// in order. The active picture's editor is the edit state in hand; the
// others are kept in their editor slots.
#pragma once

#include <cstdint>
#include <string>

#include "engine/editorslots.h"
#include "engine/editstate.h"

namespace testeditor {

inline std::string PictureText(int16_t k, int16_t active) {
    using namespace kv;
    const bool live = k == active;
    const auto& cells = live ? gCells : gEditorSlots[static_cast<size_t>(k)].cells;
    const auto& rows = live ? gRows : gEditorSlots[static_cast<size_t>(k)].rows;
    const int16_t start = live ? gStartRow : gEditorSlots[static_cast<size_t>(k)].startRow;
    std::string out;
    int16_t c = 0;
    for (int16_t r = start, guard = 0; IsRowIndex(r) && guard < kRowPoolSize; r = rows[static_cast<size_t>(r)].NextRow, ++guard)
        if (IsCellIndex(rows[static_cast<size_t>(r)].FirstCell) &&
            cells[static_cast<size_t>(rows[static_cast<size_t>(r)].FirstCell)].FontCode != '0') {
            c = rows[static_cast<size_t>(r)].FirstCell;
            break;
        }
    for (int guard = 0; IsCellIndex(c) && cells[static_cast<size_t>(c)].FontCode != '0' && guard < kCellPoolSize; ++guard) {
        out += static_cast<char>(cells[static_cast<size_t>(c)].CharCode);
        c = cells[static_cast<size_t>(c)].Next;
    }
    return out;
}

}  // namespace testeditor
