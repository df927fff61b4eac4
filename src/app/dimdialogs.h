// The two dialogs of the sign configuration that change the dimension lists
// of the settings file, without their windows: a new dimension typed as
// width and height, and the deletion of graphic dimensions no sign uses.
#pragma once

#include <string>
#include <vector>

namespace kv {

// ---------------------------------------------------------------- new dimension
// The typed texts with every blank removed, and what is wrong with them.
struct NewDimension {
    enum Check { Ok, BadHeight, BadWidth, Listed };
    Check check = Ok;
    std::string width, height;
    std::string dimension;  // width, separator, height (or the width alone)
};
// Checks the typed texts of a model against its size list: digits only; the
// height (tested first, when the model has two numbers) 7 to 48 for a
// graphic sign, the width 1 to the model's largest; a dimension equal to a
// trimmed item of the list counts as listed.
NewDimension CheckNewDimension(const std::string& model, const std::string& widthText, const std::string& heightText,
                               const std::vector<std::string>& sizeList);
// The messages of the checks (S1683, S1684, S1685); "" for Ok.
std::string NewDimensionMessage(NewDimension::Check check);
// The width and height texts a size-list item gives the two boxes.
void SplitDimension(const std::string& model, const std::string& item, std::string& width, std::string& height);

// ---------------------------------------------------------------- deleting dimensions
// What the delete dialog offers: the graphic dimensions of the size list
// that no sign of the configuration's list uses.
struct DimDeleteOffer {
    std::vector<std::string> dims;    // the K4000 size list, in order
    std::vector<bool> inUse;          // per dims entry
    std::vector<int> listPos;         // per dims entry: its place in `offered`, -1 when not offered
    std::vector<std::string> offered;
};
// A dimension counts as used when the dimension of some sign line occurs in
// it; route-number signs use none.
DimDeleteOffer BuildDimDeleteOffer(const std::vector<std::string>& signLines, const std::vector<std::string>& k4000Items);
// Writes [K4000] without the selected offered dimensions (selected[i] for
// offered[i]); false when nothing is selected or the file was not written.
bool DeleteOfferedDims(const DimDeleteOffer& offer, const std::vector<bool>& selected);

}  // namespace kv
