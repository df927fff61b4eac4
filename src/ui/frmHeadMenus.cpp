// The main window's menus that reach other windows and tools: the text
// import of the active list, the copy and paste of whole entries in the
// lists, the route-number tools, the font browser on the graphic symbols,
// and the zoom buttons of the sign pictures. Menu items whose
// command is not built are held disabled here.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QToolButton>

#include "app/copybuffer.h"
#include "app/headstate.h"
#include "files/document.h"
#include "app/textimport.h"
#include "app/windowcommands.h"
#include "data/destlist.h"
#include "data/records.h"
#include "engine/editorslots.h"
#include "engine/signview.h"
#include "ui/frmFontShow.h"
#include "ui/frmHead.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"
#include "ui/unbuiltmenus_qt.h"
#include "platform/vb.h"

using namespace kv;

namespace {

// The window's active control: the control that has, or last had, the
// keyboard focus in it (a menu that opens over the window takes it for a
// moment).
bool FocusIs(const QWidget* window, const char* name) {
    const QWidget* w = window->focusWidget();
    return w && w->objectName() == QLatin1String(name);
}

// The model's lines that are selected in the box, in list order.
std::vector<std::string> SelectedLines(const QListWidget* box, const ListModel& model) {
    std::vector<std::string> lines;
    for (int i = 0; i < box->count(); ++i)
        if (box->item(i)->isSelected()) lines.push_back(model.List(i));
    return lines;
}

constexpr const char* kTextFilter = "Text file (*.txt)|*.txt|All files (*.*)|*.*";

}  // namespace

void frmHead::ConnectMenuCommands() {
    const std::pair<const char*, void (frmHead::*)()> items[] = {
        {"mnuArkivImportFil2Dest", &frmHead::mnuArkivImportFil2Dest_Click},
        {"mnuToolsFile2Dest", &frmHead::mnuToolsFile2Dest_Click},
        {"Ln_e", &frmHead::Ln_e_Click},
        {"mnuToolsGenerateLineNo", &frmHead::mnuToolsGenerateLineNo_Click},
        {"mnuToolsSuperCopy", &frmHead::mnuToolsSuperCopy_Click},
        {"mnuToolsGenerateMBL", &frmHead::mnuToolsGenerateMBL_Click},
        {"Std_grf", &frmHead::Std_grf_Click},
        {"b", &frmHead::b_Click},
    };
    for (const auto& [name, handler] : items)
        connect(MenuItem(QString::fromUtf8(name)), &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    QAction* a = MenuItem("A");
    connect(a, &QAction::triggered, this, [this, a] { A_Click(a->property("Index").toInt()); });

    // Whatever enables menu items (the sign's model, the text-sign line
    // mode, activation), these stay disabled.
    for (const UnbuiltMenuItem& item : UnbuiltMenuItems()) {
        QAction* unbuilt = MenuItem(QString::fromUtf8(item.name));
        if (!unbuilt) continue;
        unbuilt->setEnabled(false);
        unbuilt->setProperty("Unbuilt", true);
        connect(unbuilt, &QAction::changed, this, [unbuilt] {
            if (unbuilt->isEnabled()) unbuilt->setEnabled(false);
        });
    }
}

// ------------------------------------------------------------------ text import

void frmHead::mnuArkivImportFil2Dest_Click() { ImportTextList(); }
void frmHead::mnuToolsFile2Dest_Click() { ImportTextList(); }

void frmHead::ImportTextList() {
    if (!PrepareTextImport()) return;
    // The name proposed last stays when it names a text file.
    if (!(ImportFileName.size() > 3 && Right(ImportFileName, 3) == "txt")) ImportFileName.clear();
    std::string title = KeptTexts.importTitle;
    if (title.empty() || title == "0") title = "Import destination list";
    const FileDialogChoice c = ChooseFile({false, title, kTextFilter, ImportFileName, 1});
    if (c.cancelled) return;
    ImportFileName = c.path;
    ImportTextFile(c.path);
}

// ------------------------------------------------------------------ copy and paste of whole entries

bool frmHead::CopyListRecords() {
    if (gEditorActive == 2) return false;
    if (FocusIs(this, "DestList")) {
        CopyDestRecords();
        return true;
    }
    if (FocusIs(this, "ExtraList")) {
        CopyExtraRecords();
        return true;
    }
    return false;
}

bool frmHead::PasteListRecords() {
    // In graphic mode the paste belongs to the sign picture; without a
    // buffer of its list's kind, to the text editor.
    if (gEditorActive == 2) return false;
    if (FocusIs(this, "DestList") && DestBufferFilled()) {
        PasteDestRecords();
    } else if (FocusIs(this, "ExtraList") && ExtraBufferFilled()) {
        PasteExtraRecords();
    } else {
        return false;
    }
    gDocumentModified = kTrue;
    return true;
}

void frmHead::CopyDestRecords() { kv::CopyDestRecords(SelectedLines(DestList, kv::DestList)); }
void frmHead::CopyExtraRecords() { kv::CopyExtraRecords(SelectedLines(ExtraList, kv::ExtraList)); }
void frmHead::PasteDestRecords() { kv::PasteDestRecords(InputPrompt); }
void frmHead::PasteExtraRecords() { kv::PasteExtraRecords(InputPrompt); }
void frmHead::CheckCopyBuffer() { kv::CheckCopyBuffer(); }

// ------------------------------------------------------------------ windows of other parts

void frmHead::Ln_e_Click() {
    if (Windows.LineNoLayout) Windows.LineNoLayout();
}

void frmHead::mnuToolsGenerateLineNo_Click() { RunRouteNumberTool(false, Windows.GenerateLineNo); }
void frmHead::mnuToolsSuperCopy_Click() { RunRouteNumberTool(true, Windows.GenerateLineNo); }

void frmHead::mnuToolsGenerateMBL_Click() {
    GenerateRouteNo();
    ShowSign(false, false);
    RefreshCurrentSignPicture();
}

void frmHead::Std_grf_Click() {
    ShowSymbols([this](const std::string& caption) {
        {
            frmFontShow dialog(this, caption);
            dialog.exec();
        }
        activateWindow();
    });
}

void frmHead::A_Click(int) {}
void frmHead::b_Click() {}

// ------------------------------------------------------------------ zoom buttons

void frmHead::cmdScale_Click(int index) {
    if (index < 0 || index > 2) return;
    if (index != ActivePictureIndex && ActivePictureIndex >= 0) {
        // The zoom belongs to the active picture: the two frames flash.
        SignFrame* pressed = PicSignFrame[index];
        SignFrame* active = PicSignFrame[ActivePictureIndex];
        pressed->SetBackColor(QColor(255, 0, 0));
        active->SetBackColor(QColor(0, 255, 0));
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 250) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        pressed->SetBackColor(SignFrame::ButtonFace());
        active->SetBackColor(SignFrame::ButtonFace());
        return;
    }
    if (gCursorPicture) gCursorPicture->hide();
    if (Windows.SignScale) Windows.SignScale();
    SizeSignPicture(gCurrentSign, false, false);
    if (gEditPicture) gEditPicture->setFocus();
}
