// The program's file dialogs. Every one is made, set up, run and closed by
// the routines here, so that they all behave alike: Qt's own dialog (not the
// system's), the files in detail columns, icons and types told from the names
// alone (no file is read to show it), and the name the user typed is the name
// chosen, quotes and all.
#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;
class QWidget;

namespace kv {

// A new file dialog of the program, hidden, named `objectName`.
QFileDialog* NewFileDialog(QWidget* parent, const QString& objectName);

struct FileDialogAsk {
    bool save = false;
    QString title;        // empty keeps the dialog's own
    QStringList filters;  // "description (patterns)" entries; empty keeps them
    int filterIndex = 1;  // the entry chosen at first, 1-based; 0 keeps it
    QString folder;       // empty keeps the dialog's folder
    QString name;         // the name proposed; empty proposes none
};

struct FileDialogAnswer {
    bool accepted = false;
    QString path;         // the file named in the name box, absolute
    int filterIndex = 0;  // the entry of the type list chosen, 1-based; 0 when unknown
};

// Runs a dialog made by NewFileDialog. After it, nothing of it stays on
// screen (its name completion) and `caller` takes the keyboard back.
FileDialogAnswer RunFileDialog(QFileDialog* d, QWidget* caller, const FileDialogAsk& ask);

}  // namespace kv
