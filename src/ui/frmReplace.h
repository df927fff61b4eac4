// The replace question: may an entry that already holds something be
// replaced? Four answers; "to all" holds for the rest of a run.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QLabel;
class QPushButton;

class frmReplace : public QDialog {
    Q_OBJECT
public:
    explicit frmReplace(QWidget* parent = nullptr);

    void Form_Load();
    // Each stores its answer (6, 700214, 7, 670517) and closes the window.
    void cmdYes_Click();
    void cmdYesAll_Click();
    void cmdNo_Click();
    void cmdNoNone_Click();

    // The answer given; -1 while none (also after the close box).
    int32_t Answer = -1;

    QLabel* lblQuestion = nullptr;
    QPushButton* cmdYes = nullptr;
    QPushButton* cmdYesAll = nullptr;
    QPushButton* cmdNo = nullptr;
    QPushButton* cmdNoNone = nullptr;

private:
    void Answered(int32_t answer);
};

// Shows frmReplace with the question over the active window; its answer.
int32_t ShowReplaceQuestion(const std::string& question);
