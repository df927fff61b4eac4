// Everything a project file fills, held aside as one piece: the open
// project stays whole while another file is read into fresh tables, and
// comes back as it was when that file cannot be read.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "data/destlist.h"
#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"

namespace kv {

struct ProjectTables {
    // The records and the list lines (with the views that mirror them while
    // they are held aside).
    std::unique_ptr<std::array<DestRecord, kDestCount>> dests;
    std::unique_ptr<std::array<DestRecord, kExtraCount>> extras;
    ListModel destLines;
    ListModel extraLines;
    ListModel::Listener destView;
    ListModel::Listener extraView;
    std::unique_ptr<std::array<std::string, kLineNoTableSize>> lineNoTable;
    int16_t lineNoTableOn = 0;

    // The signs.
    std::array<SignInfo, kSignCount> signInfo;
    std::array<SignEntry, kSignCount> signEntry;
    int16_t currentSign = 0;

    // The user fields.
    std::string userCompany, userDate, userResponsible, userOthers;

    // The file's version, the code mode, insert mode and the records' layout.
    int16_t txlVersion = 0;
    int16_t destCodesOn = 0;
    int16_t insertMode = 0;
    int16_t tenCharFieldOn = 0;
    int16_t extraPerSign = 0;

    // The out-file options.
    int16_t commandRowOn = 0, fontSectionOn = 0, comrowMems = 0, controlInfoOn = 0;
    std::string routeNumberSeq;
    int16_t routeNumberStartIndex = 0;
    int16_t lineNumberOn = 0;
    std::string commandFile, signToShow, promName, asciiName;
    int16_t outCfgLoaded = 0;

    // The route-number layout and its area on the graphic sign.
    int16_t lineNoFieldCount = 0;
    int16_t routeNoLeft = 0;
    int16_t routeNoPos = 0;
    std::string lineNoFields;
    std::string routeNoFont;
    int16_t routeNoX = 0, routeNoY = 0;
    int16_t routeNoAreaWidth = 0, routeNoAreaHeight = 0;
    int16_t routeNoFieldPlaced = 0;
};

// The open project goes into the returned tables. The records, the list
// lines and the route-number texts are left empty (the lists tell no view
// while the project is held aside); everything else keeps its value, as a
// reading expects (an old file without configuration keeps the one before).
ProjectTables TakeProjectTables();
// The held project takes its place again, whatever is there now. A list whose
// view was held aside gets it back without a word (the view still shows those
// lines); otherwise the list's own view is told that it changed as a whole.
void PutBackProjectTables(ProjectTables&& tables);

}  // namespace kv
