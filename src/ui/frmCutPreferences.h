// The cut mode choice: two pairs of pictures, each pair a choice of two
// (cut all or just the lit dots; keep the old place or empty it). Done
// stores the mode when it changed; the close box stores nothing.
#pragma once

#include <QDialog>

class ImageControl;
class QPushButton;

class frmCutPreferences : public QDialog {
    Q_OBJECT
public:
    explicit frmCutPreferences(QWidget* parent = nullptr);

    void Form_Load();
    void imgCutAll_Click();
    void imgCutJustYellow_Click();
    void imgCutKeepOld_Click();
    void imgCutDeleteOld_Click();
    void cmdDone_Click();

    // A picture is marked when its border is shown.
    static bool Marked(const ImageControl* image);

    ImageControl* imgCutAll = nullptr;
    ImageControl* imgCutJustYellow = nullptr;
    ImageControl* imgCutKeepOld = nullptr;
    ImageControl* imgCutDeleteOld = nullptr;
    QPushButton* cmdDone = nullptr;

private:
    static void Mark(ImageControl* on, ImageControl* off);
};
