// The allowed dimensions of each sign model, kept in the settings file, one
// section per model:
//
//   [K4000]
//   NoOfDimensions=3
//   K4000.1=160 16, 2
//   K4000.2=112 16, 3
//   K4000.3=96 16
//
// An entry holds the width and height of a graphic sign (K4000), the two row
// widths of a two-row text sign (K2000_2R) or one width (K1000, K2000_1R);
// graphic and two-row entries may end in ", " and the address a sign of that
// dimension gets by default (7 when absent). Entries stand largest first. The
// section ends at the first line without "=" or at the next header.
//
// The display form of a dimension, as the lists and sign lines show it:
// "96x16", "80+80", or the width alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// One dimension read from the settings file: "K4000:96x16" and its default
// address. Route-number and one-row dimensions take an entry with an empty
// key and value 0.
struct DimEntry {
    std::string Key;
    int16_t Value = 0;
};
// Filled while the sign configuration dialog is open (all four models),
// emptied when it closes. Entries 0 .. gDimCount - 1.
extern std::vector<DimEntry> gDimTable;
extern int16_t gDimCount;
void ClearDimTable();

// The four models, in the order the configuration offers them.
inline const char* const kSignModels[] = {"K4000", "K1000", "K2000_1R", "K2000_2R"};
bool IsSignModel(const std::string& model);
// "x" for K4000, "+" for K2000_2R, "" for the one-number models.
std::string DimSeparator(const std::string& model);
// The largest width a dimension of the model may have: 175 dots for a
// graphic sign (a byte 176 would be read as a page mark), 196 otherwise.
int DimMaxWidth(const std::string& model);
constexpr int kMinDimHeight = 7;
constexpr int kMaxDimHeight = 48;
// A dimension in display form that AddSignDim accepts: digits only, with the
// model's separator between two numbers where it has one; widths 1 to
// DimMaxWidth, graphic heights 7 to 48.
bool IsValidDimension(const std::string& model, const std::string& dimension);

// The dimensions of the model as the settings file lists them, in display
// form; their entries are appended to gDimTable. A K1000 or K2000_1R value is
// given exactly as stored. A settings file that cannot be opened raises
// FileNotFound.
std::vector<std::string> InitSignCombo(const std::string& model);

// The default address of a dimension: the first table entry of the model
// and display dimension; 7 when there is none.
int16_t GetDimDefault(const std::string& model, const std::string& dimension);

// Inserts the dimension (display form) into the model's section of the
// settings file, before the first entry that is smaller, and renumbers the
// entries after it. The previous file stays beside it as "kivar.tmp". A
// missing section is created at the end of the file. Returns false, leaving
// every file as it was, for a model or dimension it does not accept and
// when the file cannot be read or written (the latter two reported).
bool AddSignDim(const std::string& dimension, const std::string& model);

// Rewrites [K4000] with the given dimensions (display form) in order,
// numbered from 1, each with its default address. Reported and false when
// the file or the section is missing or cannot be written.
bool WriteK4000Dims(const std::vector<std::string>& dimensions);

}  // namespace kv
