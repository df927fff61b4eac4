// The start of a document: the out-file defaults of a new project, the
// settings a document starts from, and the first current sign.
#include <QAction>
#include <algorithm>

#include <QListWidget>

#include "ui/listlines_qt.h"
#include <QPushButton>
#include <QToolBar>

#include "data/destcodes.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/editstate.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/recentfiles.h"
#include "files/txlread.h"
#include "app/headstate.h"
#include "platform/paths.h"
#include "engine/routenolayout.h"
#include "app/signsel.h"
#include "app/docsettings.h"
#include "ui/frmHead.h"
#include "ui/headwidgets_qt.h"
#include "app/signcontrols.h"
#include "ui/qtbridge_qt.h"
#include "platform/vb.h"

using namespace kv;

void frmHead::SetMainCaption(const std::string& caption) { setWindowTitle(Q(caption)); }

void frmHead::ShowRecentFileEntry(int n, const std::string& caption, bool visible) {
    if (QAction* a = MenuItem(QString("mnuArkivFile%1").arg(n))) {
        a->setText(Q(caption));
        a->setVisible(visible);
    }
}

void frmHead::ShowRecentFilesSeparator(bool visible) { MenuItem("mnuArkivFilesSep")->setVisible(visible); }

void frmHead::InitRecentFiles() { kv::InitRecentFiles(); }

namespace {

ListLineDelegate* LineSizes(QListWidget* box) {
    auto* d = dynamic_cast<ListLineDelegate*>(box->itemDelegate());
    return d ? d : new ListLineDelegate(box);
}

// The box shows the lines of the list.
void ShowLines(const ListModel& model, QListWidget* box) {
    QStringList items;
    items.reserve(model.ListCount());
    int longest = 0;
    for (const std::string& line : model.Lines()) {
        items.append(Q(line));
        longest = std::max(longest, static_cast<int>(line.size()));
    }
    box->clear();
    LineSizes(box)->Reset(longest);
    box->addItems(items);
}

// The box shows the list as a whole again: its lines, its selection and its
// current line.
void ShowList(const ListModel& model, QListWidget* box) {
    ShowLines(model, box);
    for (int i = 0; i < model.ListCount(); ++i)
        if (model.Selected(i)) box->item(i)->setSelected(true);
    if (model.ListIndex() >= 0) box->setCurrentRow(model.ListIndex(), QItemSelectionModel::NoUpdate);
}

}  // namespace

// The list boxes show the lines of the project's two lists.
void frmHead::MirrorListModels(bool on) {
    const std::pair<ListModel*, QListWidget*> pairs[] = {{&kv::DestList, DestList}, {&kv::ExtraList, ExtraList}};
    for (auto [model, box] : pairs) {
        if (!on) {
            model->SetListener(nullptr);
            continue;
        }
        ShowLines(*model, box);
        model->SetListener([model, box](ListModel::Change c, int index) {
            switch (c) {
                case ListModel::Change::Added:
                    box->insertItem(index, Q(model->List(index)));
                    LineSizes(box)->Fit(static_cast<int>(model->List(index).size()));
                    break;
                case ListModel::Change::Removed: delete box->takeItem(index); break;
                case ListModel::Change::Changed:
                    if (QListWidgetItem* item = box->item(index)) item->setText(Q(model->List(index)));
                    LineSizes(box)->Fit(static_cast<int>(model->List(index).size()));
                    break;
                case ListModel::Change::Cleared: box->clear(); break;
                case ListModel::Change::Reset: ShowList(*model, box); break;
                case ListModel::Change::Selection:
                    if (index >= 0 && index < box->count()) {
                        box->item(index)->setSelected(model->Selected(index));
                        if (model->ListIndex() == index) box->setCurrentRow(index, QItemSelectionModel::NoUpdate);
                    }
                    break;
            }
        });
    }
}

void frmHead::ReadLibFile() {
    ReadDocumentSettings();
    if (gInsertMode) SaveDestOrExtra->setText(Q(gTextS6 + "..."));
}

void frmHead::InitDocument() {
    InitOutFileDefaults();
    ReadLibFile();
    ReadDefaultRouteNoFonts();
    dotpic->SetForeColor(QColor(255, 255, 0));
    dotpic->SetBackColor(Qt::black);

    gCurrentPage = 1;
    gDestListActive = kTrue;
    DestList->show();
    ExtraList->hide();
    gChangeTime = gDefaultChangeTime;

    if (FileExists(gAutoSaveFile) && gStartUp) {
        // The project of an abnormal end, from the auto-save file.
        gRestoredFromAutoSave = kTrue;
        SetScreenMousePointer(11);
        OpenTxlFile(gAutoSaveFile);
        AdjustLists();
        SetScreenMousePointer(0);
        gDocumentModified = kTrue;
        gDocumentPath = gAutoSaveName;
        SetMainCaption("Kivar32\xae <" + (gAutoSaveName.empty() ? gTextS38 : gAutoSaveName) + ">");
        gCurrentDest = static_cast<int16_t>(LastUsedNumber(kv::DestList) + 1);
        gCurrentExtra = static_cast<int16_t>(LastUsedNumber(kv::ExtraList) + 1);
        if (gCurrentDest <= 0 || gCurrentDest >= kDestCount) gCurrentDest = 1;
        if (gCurrentExtra <= 0 || gCurrentExtra >= kExtraCount) gCurrentExtra = 1;
        mnuTextDesttext_Click();
        gAutoSaveNoticePending = kTrue;
    } else {
        if (FileExists(gAutoSaveFile)) RemoveFile(gAutoSaveFile);
        OpenTxlFile(JoinPath(gDataPath, "standard.ini"));
        // The copy buffer is checked against the new project here
        // (CheckCopyBuffer) once pasting is linked in.
        AdjustLists(-1);
        AdjustLists();
        gDocumentPath.clear();
        gDocumentModified = kFalse;
        gCurrentDest = 1;
        gCurrentExtra = 1;
    }
    gLineNoTable[0].clear();
    bKeepCurrentNumber = false;

    // Row 1 of the shown-signs choice becomes the current, shown sign.
    const int16_t first = SignSelFirstRow();
    if (first != 0) {
        gCurrentSign = first;
        SignInfoOf(first).Shown = kTrue;
    }
    gK1000Shown = VbBool(AnyK1000Shown());
    UpdateSignControls(gCurrentSign);
    RecalcRouteNoArea();
    tbToolBar->update();

    // The number box names the document's current entry.
    ShowCurrentNumber();
    gTxlVersion = gDestCodesOn ? 6 : 5;
    gAltBuffer.clear();
    gTextModified = kFalse;
    gTextAlignment = 1;
}
