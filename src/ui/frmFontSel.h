// The font selection: in list mode (the preferences' font-list button) the
// fonts of the library with a mark each, ticked and unticked by a double
// click; in pick mode (the Font command, a right press on a font-step
// button) the project's font list, from which a double click or OK picks
// the current font. Cancel and the close box leave the font list as it was.
#pragma once

#include <QDialog>

#include "app/fontselect.h"

class QLabel;
class QListWidget;
class QPushButton;

class frmFontSel : public QDialog {
    Q_OBJECT
public:
    explicit frmFontSel(QWidget* parent = nullptr);

    void Form_Load();
    void FontPick_lst_DblClick();
    void OKFontPick_cmd_Click();
    void CancelFontPick_cmd_Click();

    QListWidget* FontPick_lst = nullptr;
    QLabel* lblFontLadder = nullptr;
    QLabel* lblTemp = nullptr;  // measures the width of a line
    QPushButton* OKFontPick_cmd = nullptr;
    QPushButton* CancelFontPick_cmd = nullptr;
    // The mode, found from the font list's first entry.
    bool ListMode = false;

    // The close box and Escape: as Cancel.
    void reject() override;

private:
    kv::FontListSnapshot snapshot_;
};
