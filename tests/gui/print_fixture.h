// The main window printing to a PDF file (KIVAR_PRINT_PDF names it): the
// shown signs chosen through the shown-signs dialog, and the dots
// kivar-probe page draws for a page of the project file, each stored page
// drawn once.
#pragma once

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "data/fieldtext.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "gui/head_fixture.h"
#include "gui/pdf_pictures.h"
#include "ui/frmSignSel.h"

class PdfPrintGui : public HeadGui {
protected:
    void SetUp() override {
        HeadGui::SetUp();
        pdf = dir.file("out.pdf");
        qputenv("KIVAR_PRINT_PDF", QByteArray::fromStdString(pdf));
    }
    void TearDown() override {
        qunsetenv("KIVAR_PRINT_PDF");
        HeadGui::TearDown();
    }
    // The Signs command with exactly the signs at these addresses ticked,
    // then OK.
    void ShowSigns(const std::vector<int16_t>& shown) {
        WhenShown<frmSignSel> dialog([&shown](frmSignSel& d) {
            for (auto& [i, box] : d.Sign_cbx)
                if (i > 0) SetChecked(box, std::count(shown.begin(), shown.end(), box->property("Tag").toInt()) > 0);
            QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        });
        head->MenuItem("Signs_e")->trigger();
        ASSERT_TRUE(dialog.seen);
        QApplication::processEvents();
        for (int16_t a = kv::kFirstSignAddress; a <= kv::kLastSignAddress; ++a)
            if (!kv::SignInfoOf(a).Model.empty())
                ASSERT_EQ(kv::SignInfoOf(a).Shown != 0, std::count(shown.begin(), shown.end(), a) > 0) << a;
    }
    // The dots kivar-probe page draws for a page of `project`; pages stored
    // alike are drawn once.
    pdfpictures::Dots Probe(int number, int16_t address, int page, bool extra) {
        const kv::DestRecord& r =
            extra ? kv::ExtraAt(static_cast<int16_t>(number)) : kv::DestAt(static_cast<int16_t>(number));
        const std::string key =
            std::to_string(address) + "/" + std::to_string(page) + "/" + std::to_string(extra) + "/" +
            (extra ? r.Text + "/" + r.SignData
                   : kv::GetSignText(r.Text, address) + "/" + kv::GetSignSection(r.SignData, address));
        auto it = probed.find(key);
        if (it == probed.end())
            it = probed.emplace(key, pdfpictures::ProbeDots(dir.path(), project, number, address, page, extra)).first;
        return it->second;
    }

    std::string pdf, project;
    std::map<std::string, pdfpictures::Dots> probed;
};
