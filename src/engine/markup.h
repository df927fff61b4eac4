// Sign markup: the readable form of a graphic sign page that a record's Text
// keeps beside the page's bytes (SignData). It records what the bytes cannot:
// the rows, the route-number marks and the names of pictures. A page's
// markup, in order:
//   "<L>" or "<" + route-number text + ">"  while the route-number area is shown
//   "<G>" or "<" + picture name + ">"       while the page holds a graphic
//   one character per cell; "<L:n>" a placeholder for the last n route-number
//   characters; "<L/" ... ">" around a route-number field; "\" after the last
//   cell of a row; cells of the symbol font "g" write nothing but, at the
//   first of them, the symbol mark "<" + name + ">" (or the language text
//   S30).
// A page with a picture or symbol mark is stored as its caption, which the
// user confirms or edits (or the bitmap import gives).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// The name of the page's picture: found by the loader at the first dot-strip
// run and written back as the picture mark; cleared at the start of every
// load and the end of every write.
extern std::string gPictureTagName;
// The name of the page's symbol mark: found by the loader at the first cell
// of the symbol font; cleared like gPictureTagName.
extern std::string gSymbolTagName;
// The plain text of the cells that were turned into graphics; it is the
// caption's proposal while gAltBufferChanged is set.
extern std::string gInvertedText;
// A bitmap import commits a picture, and the caption it gives the page
// (set by the bitmap import around its commit): no caption is asked for.
extern int16_t gPictureImportActive;
extern std::string gPictureImportCaption;

// The symbol font's id.
constexpr char kSymbolFont = 'g';

// The markup (or, after a picture or symbol mark, the confirmed caption) of
// the graphic sign page in the edit state. `plain`: the text alone, without
// the route-number and picture marks, symbol cells and placeholders.
std::string EncodeSignObjects(bool plain = false);
// The name inside a tag of the current page's markup: mode 1 the picture
// name (the first tag), mode 2 the symbol name (the second tag when a
// picture name is known, else the first). Route-number marks, placeholders,
// the route-number field and a leading route-number text are no names; a
// name contained in the language text S30 gives "".
std::string PictureTagName(int16_t mode);
// The same on a given page markup field.
std::string PictureTagNameOf(const std::string& field, int16_t mode);
// Enables the three route-number menu items: mode 0 all; 1 ShowLineNo_e only;
// 2 and 3 Insert_LineNo_e and mnuToolsGenerateMBL only; others none.
void SetEditMenuState(int16_t mode);

// The route-number field tag: the first "<L/" and the next ">" after it.
bool HasLineTag(const std::string& text);
// The characters between the first "<L/" and the next ">"; "" without a tag.
std::string GetLineTagText(const std::string& text);
// Without a tag the text unchanged. keepInner False: every occurrence of the
// whole tag removed. keepInner True: every occurrence of the tag loses its
// ">", then every "<L/" goes, so the field's characters stay.
std::string RemoveLineTag(const std::string& text, bool keepInner);

// The current sign's section of the current record's Text (the whole Text of
// an extra text without per-sign sections).
std::string CurrentSignMarkup();
// The page of a sign's markup section that goes with page gCurrentPage of
// its bytes: a sign of a single page shows that page on every page.
int16_t ShownMarkupPage(const std::string& section);
// The markup field of page gCurrentPage of the current sign, as stored ("# "
// excluded: the field starts with the blank after "#").
std::string CurrentPageMarkup();

// What a page's markup says about its cells. Cells are counted in reading
// order over the whole page; cells of the symbol font are not in the markup
// and not counted.
struct MarkupLayout {
    std::vector<int16_t> rowCells;  // cells per row, row 1 first
    int16_t fieldFirst = 0;         // number of the route-number field's first cell; 0 = no field
    int16_t fieldLength = 0;        // its cells
    bool placeholder = false;       // the page holds "<L:"
    bool field = false;             // the page holds "<L/"
};
// Reads a page's markup field (one leading blank, the one after "#", is
// dropped). Tags other than placeholders hold no cell wherever they stand.
MarkupLayout ReadMarkupLayout(const std::string& field);

// The structure of the page in the edit state as markup: cells, placeholders,
// the route-number field and the rows, without marks and without asking for
// a caption. The page loader reads it like stored markup.
std::string PageStructureMarkup();

// The names, the inverted text and the import flags cleared.
void ResetMarkup();

}  // namespace kv
