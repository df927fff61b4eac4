// Small projects for the out-file tests, made straight in the tables, and
// the data folder they are built with: the shipped data with a tiny font
// library (fonts "x", "1", "e" and "a") and the short command file
// tests/fixtures/outfile/Short.kcm.
#pragma once

#include <random>
#include <string>

namespace outfixtures {

// The tiny font library's bytes.
std::string TinyLibrary();
// Copies the shipped data into dir, puts the tiny library in dir/Fonts and
// the short command file beside the settings.
void StageOutData(const std::string& dir);
// Points the program at a staged data folder as the program's start does:
// settings, English texts, the font folder and the fonts per sign height.
void LoadOutData(const std::string& dir);
// The projects below are made into empty tables (after kv::ResetAllState;
// load the data after it).

// Layout A1 with fonts: one graphic sign 40x8 at address 2; destinations
// 0 (default), 1, 2, 3.
void MakeProjectA1();
// Layout A2: graphic sign 112x16 at 2 (the sign to show), two-row text sign
// 16+12 at 3, route-number sign at 4; destinations 0, 99, 100, 250, 300;
// per-sign extra texts 1 and 12.
void MakeProjectA2();
// Layout A3: destination codes and route-number texts; graphic sign 84x16 at
// 2, route-number sign at 4; destinations 0..3, extra text 5.
void MakeProjectA3();

// Old layout, with the all-nines destination: one graphic sign 40x8 at
// address 2 (the sign to show, which destination 0 shows); route-number
// texts on; destinations 0, 1, 2, 4; extra texts 0 and 2.
void MakeProjectOldNines();
// Old layout without it: graphic signs 112x16 at 2 and 84x8 at 5 (the sign
// to show, which destination 0 lacks), two-row text sign 16+12 at 3,
// route-number sign at 4; destinations 0, 1, 3, 5, 6; extra texts 1 and 3.
void MakeProjectOldSigns();

// The signs of the larger generated projects: graphic 112x16 at 2, two-row
// text sign 16+12 at 3, route-number sign at 4, graphic 84x8 at 5 and
// one-row text sign 20 at 6.
void MakeEveryModelSigns();

// Random sign data for the larger generated projects, from one seeded
// sequence that the caller draws from too (Pick).
class RandomSignData {
public:
    // headerRow: the bottom row of the route-number header some pages get.
    RandomSignData(unsigned seed, int headerRow) : rng_(seed), headerRow_(headerRow) {}
    // A number 0..n-1.
    int Pick(int n) { return static_cast<int>(rng_() % static_cast<unsigned>(n)); }
    // A page of one to three text runs in the fonts "1", "e", "x" and "a",
    // one in four with a route-number header first.
    std::string Page();
    // Sections of the signs 2 to 6 (each with one chance in two unless
    // allSigns): one to three pages, the route-number sign at 4 a number.
    std::string Sections(bool allSigns);

private:
    std::mt19937 rng_;
    int headerRow_;
};

}  // namespace outfixtures
