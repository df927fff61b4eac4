// The bitmap import's work: committing one converted picture into the open
// entry, collecting a folder of numbered pictures, and the batch run that
// converts and commits them one after the other.
#pragma once

#include <cstdint>
#include <string>

#include "app/picconvert.h"

namespace kv {

// The import dialog opens for one picture (true) or a batch (false); the
// main window's menus set it.
extern int16_t gSinglePictureMode;

// Commits the converted graphic of the current sign into the current entry
// with `caption` as the page's name: the main window's commit, in its
// next-free mode, as a bitmap import.
void StorePicture(const std::string& caption);

// The single import's OK: converts `file` with the chosen background,
// asks before replacing a page that holds something, and commits it named
// "<" + displayText + ">". True when the entry was written (the background
// is then no longer chosen); nothing happens with an empty display text.
bool CommitSinglePicture(PictureImportView& view, const std::string& file, const std::string& displayText);

// Collects the pictures of the chosen file's folder that share its
// extension and match "K*", sorts them, and takes the background colour
// from the reference picture K0000_01, which must be there as soon as any
// picture is found. Returns the number of pictures, the reference
// included; 0 after a message when the chosen file or the reference is
// missing or the reference does not load.
int32_t lPic2Graph_GetFiles(PictureImportView& view, const std::string& chosen);

// The batch run over the collected pictures: destinations (the reference
// skipped), then extra texts; each is converted into the current sign and
// committed. A page that holds something is replaced only as the replace
// question says (for extra texts too); a picture whose display text is
// skipped, or that does not load, leaves its entry as it was. Afterwards
// the destination list is active.
void ConvertAllPictures(PictureImportView& view);

}  // namespace kv
