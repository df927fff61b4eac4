// The font browser: every character of the current font as a small glyph
// picture in a row that scrolls one character at a time; a double click on
// a character inserts it at the cursor of the sign being edited. OK closes.
#pragma once

#include <QDialog>
#include <map>
#include <memory>
#include <string>

#include "app/fontbrowser.h"

class QFrame;
class QLabel;
class QPushButton;

class frmFontShow : public QDialog {
    Q_OBJECT
public:
    // `caption` replaces the window's own caption (S1500) when not empty.
    explicit frmFontShow(QWidget* parent = nullptr, const std::string& caption = "");

    void Form_Load();
    void Right_cmd_Click();
    void Left_cmd_Click();
    // Element `index` (1-based) of the row: its character goes into the sign.
    void SubPic_DblClick(int index);
    void Ok_cmd_Click();

    QFrame* Display_pct = nullptr;
    // SubPic(1..): one glyph each, its character code in property "Tag".
    std::map<int, QLabel*> SubPic;
    QPushButton* Left_cmd = nullptr;
    QPushButton* Right_cmd = nullptr;
    QPushButton* Ok_cmd = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;

    const kv::FontBrowserRow& Row() const { return *row_; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // Shows the visible elements at their places, making missing ones.
    void ShowRow();
    QLabel* Element(int index);
    QPixmap GlyphPicture(int16_t code) const;
    // Makes Display_pct tall enough for a glyph picture of that height.
    void FitHeight(int height);

    std::string caption_;
    int32_t zoom_ = 1;
    std::unique_ptr<kv::FontBrowserRow> row_;
};
