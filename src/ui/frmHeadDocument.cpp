// The start of a document as the window shows it: the caption, the recent
// files of the File menu and the list boxes that mirror the project's lists.
#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "app/opendocument.h"
#include "data/destlist.h"
#include "files/recentfiles.h"
#include "ui/frmHead.h"
#include "ui/listlines_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

void frmHead::SetMainCaption(const std::string& caption) { setWindowTitle(Q(caption)); }
// The caption names the project's file: its name comes back as the
// program holds file names.
std::string frmHead::MainCaption() { return BPath(windowTitle()); }
void frmHead::SetSaveButtonCaption(const std::string& caption) { SaveDestOrExtra->setText(Q(caption)); }

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
void ShowWholeList(const ListModel& model, QListWidget* box) {
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
                case ListModel::Change::Reset: ShowWholeList(*model, box); break;
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

void frmHead::ReadLibFile() { kv::ReadLibFile(); }
void frmHead::InitDocument() { kv::InitDocument(); }
