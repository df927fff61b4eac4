#include "app/picimport.h"

#include <vector>

#include "app/commit.h"
#include "app/entryload.h"
#include "app/listentries.h"
#include "app/pagetimes.h"
#include "app/picbatch.h"
#include "app/replace.h"
#include "data/inverted.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/markup.h"
#include "engine/shownpages.h"
#include "files/document.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gSinglePictureMode = kTrue;

namespace {

// The import flags around a commit, cleared on every way out.
struct ImportCommit {
    explicit ImportCommit(const std::string& caption) {
        gPictureImportActive = kTrue;
        gPictureImportCaption = caption;
    }
    ~ImportCommit() {
        gPictureImportActive = kFalse;
        gPictureImportCaption.clear();
        gGraphicModified = kFalse;
    }
};

int32_t CurrentNumber() { return gDestListActive ? gCurrentDest : gCurrentExtra; }

// False, after a message, while the current sign is no graphic sign.
bool GraphicSignCurrent() {
    if (CurrentSignTakesPictures()) return true;
    MsgBox("A picture goes into a graphic sign: make a graphic sign the current sign first.", vbExclamation);
    return false;
}

// The picture is the page it names, alone: the current sign's editor
// starts on an empty page. Nothing of what the editor showed goes along,
// nor what the page held before (a sign of one page would offer its first
// page for any other; a page that is replaced is replaced whole).
void EmptyPageForPicture() {
    const bool destination = gDestListActive != 0;
    SignWindowPort().SelectK4000Graphic(true);
    gAltBuffer.clear();
    gAltBufferChanged = kFalse;
    LoadPageIntoEditor("", SignInfoOf(gCurrentSign).GraphicIndex, NumberOfChangingTexts(gCurrentSign), destination,
                       !destination);
}

// One picture of the batch into the current entry (gCurrentDest or
// gCurrentExtra, gCurrentPage).
void ImportPicture(PictureImportView& view, const PictureFileRec& rec) {
    EmptyPageForPicture();
    PixelPicture picture;
    try {
        picture = view.LoadPicture(rec.FileName);
    } catch (const PictureLoadError& e) {
        MsgBox(e.what(), vbExclamation);
        return;
    }
    if (!ConvertPicture(view, picture)) return;
    if (!DecideReplace(CurrentEntryExists(), rec.Number, rec.TextNo)) return;
    const std::string name = std::to_string(rec.Number) + "_" + Format(rec.TextNo, "00");
    std::string caption = "<" + name + ">";
    if (view.AsksDisplayText()) {
        SetBusy(false);
        const bool confirmed = view.AskDisplayText(caption, 1, static_cast<int>(name.size()), caption);
        if (!confirmed) return;
    }
    StorePicture(caption);
}

}  // namespace

void StorePicture(const std::string& caption) {
    gDocumentModified = kTrue;
    gGraphicModified = kTrue;
    gHasGraphic = kTrue;
    ImportCommit flags(caption);
    // The import hands the picture over to be stored, also when it looks
    // like what the page held.
    NoteContentToStore(CurrentGraphicEditor());
    Save(kCommitNextFree);
}

bool CommitSinglePicture(PictureImportView& view, const std::string& file, const std::string& displayText) {
    if (displayText.empty() || !GraphicSignCurrent()) return false;
    PixelPicture picture = view.LoadPicture(file);
    if (!ConvertPicture(view, picture)) return false;
    if (!DecideReplace(CurrentEntryExists(), CurrentNumber(), gCurrentPage)) return false;
    const int32_t entry = CurrentNumber();
    StorePicture("<" + displayText + ">");
    m_lBackColor = -1;
    // The signs show the entry the number box names now, from its first
    // page when the commit moved on to another number.
    if (CurrentNumber() != entry) gCurrentPage = 1;
    ReloadCurrentEntry();
    return true;
}

int32_t lPic2Graph_GetFiles(PictureImportView& view, const std::string& chosen) {
    m_aDestPictures.clear();
    m_aExtraPictures.clear();
    std::string missing, error;
    int32_t lCntr = 0;
    try {
        if (!FileExists(chosen)) throw VbError(53, "File not found");
        const std::string name = BaseName(chosen);
        const long dot = InStrLast(name, ".");
        const std::string extension = dot > 0 ? Mid(name, dot + 1) : "";
        m_sPictureFolder = DirName(chosen);
        for (const std::string& file : ListDir(m_sPictureFolder, "K*." + extension)) {
            ++lCntr;
            AddPictureFile(file);
        }
        if (!m_aDestPictures.empty() || !m_aExtraPictures.empty()) {
            SortPictureList(m_aDestPictures);
            SortPictureList(m_aExtraPictures);
            if (m_aDestPictures.empty() || m_aDestPictures[0].NormName != kReferencePicture) {
                missing = kReferencePicture + "." + extension;
                throw VbError(53, "File not found");
            }
            const PixelPicture reference = view.LoadPicture(m_aDestPictures[0].FileName);
            std::vector<int32_t> colours;
            int16_t overflow = kFalse;
            int32_t firstX = 0, firstY = 0;
            if (CollectColors(reference, colours, 16, overflow, nullptr, firstX, firstY) > 0) m_lBackColor = colours[0];
        }
        return static_cast<int32_t>(m_aDestPictures.size() + m_aExtraPictures.size());
    } catch (const VbError& e) {
        error = std::to_string(e.number) + ", " + e.what();
    } catch (const PictureLoadError& e) {
        error = "481, " + std::string(e.what());
    }
    std::string text = "lPic2Graph_GetFiles, error: " + error;
    if (!missing.empty()) text += "\r\n" + missing;
    text += "\r\nm_lMaxIndexDest = " + std::to_string(m_aDestPictures.size()) +
            ", m_lMaxIndexExtra = " + std::to_string(m_aExtraPictures.size()) + "\r\nlCntr = " + std::to_string(lCntr);
    MsgBox(text, vbExclamation);
    m_aDestPictures.clear();
    m_aExtraPictures.clear();
    return 0;
}

void ConvertAllPictures(PictureImportView& view) {
    if (!GraphicSignCurrent()) return;
    const int32_t dests = static_cast<int32_t>(m_aDestPictures.size());
    const int32_t total = dests + static_cast<int32_t>(m_aExtraPictures.size());
    gReplaceAnswer = -1;
    view.ShowProgress(true);
    view.SetStatusText("Converting pictures to graphic");
    // The conversion runs the bar over the sign's dots; each step sets it
    // back to the run's range.
    auto step = [&](int32_t value) {
        if (total > 1) view.SetProgressRange(1, total);
        view.SetProgressValue(value);
        view.ShowProgress(true);
        DoEvents();
    };
    gDestListActive = kTrue;
    for (int32_t i = 1; i < dests && !view.Closed(); ++i) {
        step(i + 1);
        if (view.Closed()) break;
        const PictureFileRec& rec = m_aDestPictures[static_cast<size_t>(i)];
        gCurrentDest = static_cast<int16_t>(rec.Number);
        // The commit takes the destination's code from the number box.
        EntryPort().SetCurrentNumberText(CurrentNumberBoxText(gCurrentDest));
        gCurrentPage = static_cast<int16_t>(rec.TextNo);
        ImportPicture(view, rec);
    }
    if (!m_aExtraPictures.empty() && !view.Closed()) {
        gDestListActive = kFalse;
        DoEvents();
        for (size_t i = 0; i < m_aExtraPictures.size() && !view.Closed(); ++i) {
            step(dests + static_cast<int32_t>(i) + 1);
            if (view.Closed()) break;
            const PictureFileRec& rec = m_aExtraPictures[i];
            gCurrentExtra = static_cast<int16_t>(rec.Number);
            EntryPort().SetCurrentNumberText(std::to_string(gCurrentExtra));
            gCurrentPage = static_cast<int16_t>(rec.TextNo);
            ImportPicture(view, rec);
        }
    }
    gDestListActive = kTrue;
    gGraphicModified = kFalse;
    // The signs show the entry the number box names.
    ReloadCurrentEntry();
    if (view.Closed()) return;
    view.SetProgressValue(total > 1 ? 1 : 0);
    view.ShowProgress(false);
    view.SetStatusText("Done");
}

namespace {
const ResetRegistrar kReset("picture import", StateLayer::App, [] { gSinglePictureMode = kTrue; });
}  // namespace

}  // namespace kv
