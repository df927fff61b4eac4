// The pictures of a batch import and their names. A picture's file name says
// which entry and which text (page) of it the picture fills:
//   "K" number ["_" text]   a destination (0..9999)
//   "KX" number ["_" text]  an extra text (0..999)
// with the text number 1..99 (1 without "_"), each read from its leading
// digits, and any extension. K0000_01 is the batch's reference picture: it
// gives the background colour of all and is not imported itself. Only the
// classification looks at the name in upper case; the file keeps its name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct PictureFileRec {
    std::string FileName;  // folder and the file's own name
    std::string NormName;  // K0012_02, KX007_01: the sort key
    int32_t Number = 0;    // destination or extra-text number
    int32_t TextNo = 0;    // 1..99
};

// The normalised name of the reference picture.
inline const std::string kReferencePicture = "K0000_01";

// Classifies a file name (without folder). False for a name that belongs to
// no entry: another prefix, a number that does not start with a digit or
// is out of range, a fraction, a text number of 0 or above 99.
bool ParsePictureName(const std::string& name, PictureFileRec& rec, bool& extra);

// The batch's lists (each sorted by NormName once collected), the folder of
// the chosen picture.
extern std::vector<PictureFileRec> m_aDestPictures;
extern std::vector<PictureFileRec> m_aExtraPictures;
extern std::string m_sPictureFolder;

// Appends the file of the picture folder to the list its name belongs to;
// an invalid name is ignored.
void AddPictureFile(const std::string& name);
// Ascending by NormName; equal names keep their order.
void SortPictureList(std::vector<PictureFileRec>& list);

}  // namespace kv
