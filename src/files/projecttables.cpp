#include "files/projecttables.h"

#include <utility>

#include "data/destcodes.h"
#include "data/outsettings.h"
#include "data/userfields.h"
#include "engine/routenolayout.h"
#include "engine/routenumber.h"
#include "files/txlread.h"

namespace kv {

namespace {

// Everything but the records, the lines and the route-number texts, named
// once for both directions: `assign` gets the held value and the global.
template <typename Assign>
void EachValue(ProjectTables& p, Assign&& assign) {
    assign(p.lineNoTableOn, gLineNoTableOn);
    assign(p.signInfo, gSignInfo);
    assign(p.signEntry, gSignEntry);
    assign(p.currentSign, gCurrentSign);
    assign(p.userCompany, gUserCompany);
    assign(p.userDate, gUserDate);
    assign(p.userResponsible, gUserResponsible);
    assign(p.userOthers, gUserOthers);
    assign(p.txlVersion, gTxlVersion);
    assign(p.destCodesOn, gDestCodesOn);
    assign(p.insertMode, gInsertMode);
    assign(p.tenCharFieldOn, gTenCharFieldOn);
    assign(p.extraPerSign, gExtraPerSign);
    assign(p.commandRowOn, gCommandRowOn);
    assign(p.fontSectionOn, gFontSectionOn);
    assign(p.comrowMems, gComrowMems);
    assign(p.controlInfoOn, gControlInfoOn);
    assign(p.routeNumberSeq, gRouteNumberSeq);
    assign(p.routeNumberStartIndex, gRouteNumberStartIndex);
    assign(p.lineNumberOn, gLineNumberOn);
    assign(p.commandFile, gCommandFile);
    assign(p.signToShow, gSignToShow);
    assign(p.promName, gPromName);
    assign(p.asciiName, gAsciiName);
    assign(p.outCfgLoaded, gOutCfgLoaded);
    assign(p.lineNoFieldCount, gLineNoFieldCount);
    assign(p.routeNoLeft, gRouteNoLeft);
    assign(p.routeNoPos, gRouteNoPos);
    assign(p.lineNoFields, gLineNoFields);
    assign(p.routeNoFont, gRouteNoFont);
    assign(p.routeNoX, gRouteNoX);
    assign(p.routeNoY, gRouteNoY);
    assign(p.routeNoAreaWidth, gRouteNoAreaWidth);
    assign(p.routeNoAreaHeight, gRouteNoAreaHeight);
    assign(p.routeNoFieldPlaced, gRouteNoFieldPlaced);
}

}  // namespace

ProjectTables TakeProjectTables() {
    ProjectTables t;
    EachValue(t, [](auto& held, const auto& global) { held = global; });

    t.dests = std::make_unique<std::array<DestRecord, kDestCount>>(std::move(gDestList));
    t.extras = std::make_unique<std::array<DestRecord, kExtraCount>>(std::move(gExtraList));
    t.lineNoTable = std::make_unique<std::array<std::string, kLineNoTableSize>>(std::move(gLineNoTable));
    ClearLists();
    gLineNoTable.fill(std::string());

    t.destView = DestList.TakeListener();
    t.extraView = ExtraList.TakeListener();
    t.destLines.SwapLines(DestList);
    t.extraLines.SwapLines(ExtraList);
    return t;
}

void PutBackProjectTables(ProjectTables&& t) {
    EachValue(t, [](const auto& held, auto& global) { global = held; });
    if (t.dests) gDestList = std::move(*t.dests);
    if (t.extras) gExtraList = std::move(*t.extras);
    if (t.lineNoTable) gLineNoTable = std::move(*t.lineNoTable);

    const auto putBack = [](ListModel& list, ListModel& held, ListModel::Listener& view) {
        if (!view) {
            list.SwapLines(held);
            return;
        }
        // The view held aside never saw other lines: nobody is told.
        list.SetListener(nullptr);
        list.SwapLines(held);
        list.SetListener(std::move(view));
    };
    putBack(DestList, t.destLines, t.destView);
    putBack(ExtraList, t.extraLines, t.extraView);
    SetHeadModeControls(gLineNoTableOn != 0);
}

}  // namespace kv
