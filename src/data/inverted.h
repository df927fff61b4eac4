// The inverted-text store: every record keeps in AltText, laid out like its
// SignData, the bytes of the inverted version of each page. gAltBuffer
// carries the current page's inverted bytes between the invert command, the
// painting of the page and the commit.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kv {

extern std::string gAltBuffer;
extern int16_t gAltBufferChanged;  // -1: gAltBuffer came from the invert command and is not stored yet
// The current page holds a graphic; kept by the page loader and the graphic tools.
extern int16_t gHasGraphic;

// gAltBuffer := the current page of the current sign from the current
// record's AltText ("" when it has none). The current page number is not changed.
void InvertLoadBuffer();
std::string InvertGetSegment(int16_t index, int16_t address, int16_t& n, int16_t& multi);
std::string InvertGetExtraSegment(int16_t index, int16_t& n, int16_t& multi);
std::string InvertNthSegment(int16_t n, const std::string& content);
// At commit: stores the inverted text the page's picture shows (gAltBuffer
// while the page shows a graphic), else the page's own bytes `text`, into
// the current record's AltText, at `page` (the page SignData took;
// gCurrentPage when 0). gAltBuffer keeps what the picture shows.
void InvertApply(const std::string& text, int16_t page = 0);
void InvertStoreDest(int16_t index, int16_t address, int16_t n, const std::string& value);
void InvertStoreExtra(int16_t index, int16_t address, int16_t n, const std::string& value);
void InvertStoreExtraSimple(int16_t index, int16_t n, const std::string& value);
// After a commit wrote a sign's page: a record that keeps an inverted-text
// store has there as many pages of the sign as its SignData has, page for
// page. A page the store lacks (or the sign's whole section) is taken from
// SignData; pages beyond SignData's go. With mirror (signs that cannot be
// inverted: text and route-number signs) the store's section becomes a copy
// of SignData's.
void InvertKeepPages(bool destination, int16_t index, int16_t address, bool mirror);
void InvertRemoveCurrent();
void InvertRemoveDest(int16_t index, int16_t address, int16_t n);
void InvertRemoveExtraPart(int16_t index, int16_t address, int16_t n);
void InvertRemoveExtra(int16_t index, int16_t n);
// Clears gAltBufferChanged, lets the page parser rebuild the edit state from
// gAltBuffer (see SetInvertReparseHook), then empties gAltBuffer.
void InvertResetBuffer();
// The page parser of the engine, called by InvertResetBuffer with gAltBuffer.
void SetInvertReparseHook(std::function<void(const std::string&)> hook);

void ResetInvertedStore();

}  // namespace kv
