// Building the projects the GUI tests open: signs defined from their lines,
// pages typed and committed as the main window commits them, the lists
// started empty and the project saved.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "data/charmap.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/outsettings.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "engine/textstrip.h"
#include "files/document.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "platform/vb.h"
#include "support/markup_state.h"
#include "support/signs_state.h"

namespace testproject {

// Defines a sign from its line and marks it configured, as the sign
// configuration does.
inline void SignLine(const std::string& name, const std::string& model, const std::string& dim, int address) {
    const std::string line = testsigns::SignLine(name, model, dim, std::to_string(address));
    ASSERT_TRUE(kv::ParseSignDefinition(line));
    ASSERT_TRUE(kv::SetSignConfig(line));
}

// Makes the graphic sign current on graphic 0 and starts an empty page in
// the font.
inline void StartGraphicPage(int16_t address, const std::string& font) {
    kv::SignInfo& s = kv::SignInfoOf(address);
    s.GraphicIndex = 0;
    kv::gCurrentSign = address;
    kv::ResizeGraphicLayer(0, s.Width + 5, s.Height + 5);
    kv::ResizeUndoLayer(0, s.Width + 5, s.Height + 5);
    kv::gShowLineNo = 0;
    kv::RefreshEditor(0, 0);
    kv::ReadCharMap(font);
}

// A graphic sign's page typed into an empty page and committed.
inline void GraphicPage(int16_t dest, int16_t address, const std::string& text, const std::string& font = "7",
                        int16_t page = 1) {
    StartGraphicPage(address, font);
    testtext::Type(text);
    testmarkup::Commit(dest, page);
}

// A text sign's row committed as the window commits the character line.
inline void TextPage(int16_t dest, int16_t address, const std::string& text) {
    kv::ReadCharMap("2");
    kv::gCurrentSign = address;
    kv::gCodeCount = static_cast<int16_t>(text.size());
    for (size_t i = 0; i < text.size(); ++i) kv::gCodeTable[i + 1] = static_cast<unsigned char>(text[i]);
    kv::SetDestSignField(dest, address, 1, text);
    kv::SetDestSection(dest, address, 1, kv::PadRowText(address));
}

// Empty lists and the out-file defaults of a version-5 file without codes,
// the destination list active.
inline void StartLists(int16_t extraPerSign = kv::kTrue, int16_t changeTime = 3) {
    kv::ClearLists();
    kv::DestList.Clear();
    kv::ExtraList.Clear();
    kv::InitOutFileDefaults();
    kv::gTxlVersion = 5;
    kv::gDestCodesOn = kv::kFalse;
    kv::gExtraPerSign = extraPerSign;
    kv::gDestListActive = kv::kTrue;
    kv::gChangeTime = changeTime;
}

// The project saved without a backup.
inline void SaveProjectFile(const std::string& path) {
    kv::gBackupOn = kv::kFalse;
    ASSERT_TRUE(kv::SaveTxlFile(path));
}

}  // namespace testproject
