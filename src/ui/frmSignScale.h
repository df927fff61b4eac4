// The zoom of the current sign's picture: four sample buttons, zoom 1 (the
// largest dots) to 4 (the smallest), each showing the sign drawn at that
// zoom; OK stores the chosen zoom.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class QToolButton;

class frmSignScale : public QDialog {
    Q_OBJECT
public:
    explicit frmSignScale(QWidget* parent);

    void Form_Load();
    // Button k becomes the chosen zoom.
    void cmdScale_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();

    // 1..4; element 0 unused.
    std::array<QToolButton*, 5> cmdScale{};
    // The looks of a chosen and of an unchosen button per zoom (hidden).
    std::array<QLabel*, 5> picSelected{};
    std::array<QLabel*, 5> picUnSelected{};
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

    int16_t ChosenZoom = 0;

    static constexpr int kSampleWidth = 150, kSampleHeight = 60;

protected:
    void done(int result) override;

private:
    void ShowLooks(int chosen);
};
