// The Transfer menu on a real main window: the out-file to a file (through
// the real file dialog), Intel HEX, the transfer program (a fake program that
// records its arguments), the old layout's temporary destination, the
// failures, the send button on a pseudo-terminal, the out-file options
// dialog, the sign simulation and the converter window.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QElapsedTimer>
#include <QTimer>
#include <QWindow>

#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "app/serialsend.h"
#include "app/simulation.h"
#include "engine/defaultdest.h"
#include "files/intelhex.h"
#include "files/txlformat.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/wait_qt.h"
#include "gui/elapse_qt.h"
#include "gui/head_fixture.h"
#include "support/fake_clock.h"
#include "platform/safefile.h"
#include "ui/frmFileConv.h"
#include "ui/frmPrefOUTFile.h"
#include "ui/frmShowTime.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

// A pseudo-terminal pair: the program writes to the slave's name, the test
// reads what arrives at the master.
struct Pty {
    Pty() {
        char name[256] = {};
        EXPECT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
        path = name;
        termios t{};
        tcgetattr(slave, &t);
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
        fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    }
    ~Pty() {
        close(master);
        close(slave);
    }
    std::string Read() {
        std::string out;
        char buf[4096];
        for (ssize_t n; (n = read(master, buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
        return out;
    }
    int master = -1, slave = -1;
    std::string path;
};

// The bytes of the probe's hex lines, one telegram a line.
std::string BytesOfHexLines(const std::string& text) {
    std::istringstream in(text);
    std::string out, word;
    while (in >> word) out += static_cast<char>(std::stoi(word, nullptr, 16));
    return out;
}

class TransferGui : public HeadGui {
protected:
    void TearDown() override {
        ResetSimulation();
        ResetSerialSend();
        SetSafeWriteFault(nullptr);
        HeadGui::TearDown();
    }

    // Two graphic signs, FRONT 112x16 at 2 and SIDE 96x8 at 3. Destinations
    // 1 and 2 have two pages on FRONT and one on SIDE, change time 1;
    // destination 3 one page on FRONT only. Written in version 5.
    void WriteProject(const std::string& path, bool oldLayout = false) {
        using namespace std::string_literals;
        ClearSignConfigFlags();
        ClearSignTable();
        for (const std::string line : {"FRONT       K4000    112x16    2 ", "SIDE        K4000    96x8      3 "}) {
            ASSERT_TRUE(ParseSignDefinition(line));
            ASSERT_TRUE(SetSignConfig(line));
        }
        kv::DestList.Clear();
        kv::ExtraList.Clear();
        ClearLists();
        for (int n = 1; n <= 3; ++n) {
            const std::string t = "D" + std::to_string(n), p = "P" + std::to_string(n);
            DestRecord& r = gDestList[static_cast<size_t>(n)];
            if (n < 3) {
                r.Text = "\xff" "FRONT# " + t + "# " + p + "\xff" "SIDE# " + t;
                r.SignData = "\xff\x02\xd2\x01\xd3\x0a\xd4" "7"s + t + "\xb0\x01\xd2\x00\xd3\x0a\xd4" "7" + p +
                             "\xff\x03\xd2\x00\xd3\x07\xd4" "3" + t;
            } else {
                r.Text = "\xff" "FRONT# " + t;
                r.SignData = "\xff\x02\xd2\x01\xd3\x0a\xd4" "7"s + t;
            }
            r.ChangeTime = 1;
            AddListLine(static_cast<int16_t>(n), true);
        }
        gPromName = "City";
        if (oldLayout) {
            gCommandRowOn = 0;
            gFontSectionOn = 0;
            gSignToShow = " 2: \"FRONT\", K4000";
            gAsciiName = "12";
        }
        kv::InitDefaultDestination();
        gTxlVersion = kTxlStandardVersion;
        gBackupOn = kFalse;
        ASSERT_TRUE(SaveTxlFile(path));
        kv::ResetAllState(kv::ResetScope::Project);
    }

    // The window shown with the project opened through File/Open; later file
    // dialogs are the real one.
    frmHead& StartWith(const std::string& project) {
        ShowActivated();
        head->ChooseFile = [project](const frmHead::FileDialogRequest&) {
            return frmHead::FileDialogChoice{false, project, 1};
        };
        head->MenuItem("mnuÖppna")->trigger();
        EXPECT_EQ(gDocumentPath, project);
        head->ChooseFile = [this](const frmHead::FileDialogRequest& r) { return head->ShowFileDialog(r); };
        return *head;
    }
    // Answers the next file dialog as a user does: `name` (a path, or a name
    // in the dialog's folder) typed key by key into its name box, or the
    // proposed name kept when empty, then Return. Once it has closed, nothing
    // of it stays on screen to take the next click (its name completion).
    void AnswerFileDialog(QFileDialog* dialog, const std::string& name = "") {
        auto* timer = new QTimer(dialog);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, name] {
            // Keys reach the dialog only once its window is exposed.
            if (!dialog->isVisible() || !dialog->windowHandle() || !dialog->windowHandle()->isExposed()) return;
            timer->stop();
            timer->deleteLater();
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(edit, nullptr);
            auto keys = [edit] { return QApplication::activePopupWidget() ? QApplication::activePopupWidget() : edit; };
            if (!name.empty()) {
                QTest::mouseClick(edit, Qt::LeftButton);
                edit->selectAll();
                for (const QChar c : Q(name)) QTest::keyClicks(keys(), QString(c));
                EXPECT_TRUE(waitqt::WaitFor([edit, name] { return edit->text() == Q(name); })) << edit->text().toStdString();
            }
            auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
            QPushButton* accept = buttons->button(dialog->acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                                                  : QDialogButtonBox::Save);
            EXPECT_TRUE(waitqt::WaitFor([accept] { return accept->isEnabled(); })) << edit->text().toStdString();
            QTest::keyClick(keys(), Qt::Key_Return);
            if (!waitqt::WaitFor([dialog] { return !dialog->isVisible(); })) {
                ADD_FAILURE() << "the file dialog stayed open";
                dialog->reject();
            }
        });
        timer->start();
    }
    // After a file dialog closed: no popup of it left to take the next click.
    static void NothingOfTheDialogLeft() {
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->isVisible() && (w->windowFlags() & Qt::Popup) == Qt::Popup) << w->metaObject()->className();
    }
    // The choices of the file dialogs without showing it, and what it was asked.
    void ChooseWithoutDialog(const std::vector<std::string>& paths) {
        auto queue = std::make_shared<std::deque<std::string>>(paths.begin(), paths.end());
        head->ChooseFile = [this, queue](const frmHead::FileDialogRequest& r) {
            requests.push_back(r);
            if (queue->empty()) return frmHead::FileDialogChoice{};
            frmHead::FileDialogChoice c{false, queue->front(), 1};
            queue->pop_front();
            return c;
        };
    }
    // The out-file kivar-probe builds for the saved project.
    std::string ProbeOut(const std::string& project) {
        const std::string out = dir.file("probe.out");
        const testutil::ProbeResult r = testutil::RunProbe({"out", "--data", dir.path(), project, out});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return testutil::ReadFile(out);
    }
    // The fake transfer program: it writes its arguments, one a line, into
    // args.txt beside it.
    std::string InstallFakeProgram() {
        const std::string program = dir.file("kivart16");
        testutil::WriteFile(program,
                            "#!/bin/sh\nout=\"$(dirname \"$0\")/args.txt\"\n: > \"$out.tmp\"\n"
                            "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\nmv \"$out.tmp\" \"$out\"\n");
        chmod(program.c_str(), 0755);
        return dir.file("args.txt");
    }
    std::string WaitForArgs(const std::string& file) {
        EXPECT_TRUE(waitqt::WaitFor([&] { return fs::exists(file); }));
        std::string args = testutil::ReadFile(file);
        fs::remove(file);
        return args;
    }
    static std::vector<std::string> Records() {
        std::vector<std::string> r;
        for (const DestRecord& d : gDestList) r.push_back(d.Text + "|" + d.SignData);
        return r;
    }
    // Opens a destination by a double click on its line, as a user does.
    void OpenDestination(int row) {
        QListWidget* list = head->DestList;
        const QRect r = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
    }
    // Runs the options command; `act` works the dialog while it is open.
    void RunOptions(const std::function<void(frmPrefOUTFile&)>& act) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<frmPrefOUTFile*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            seen = true;
            act(*dlg);
            if (dlg->isVisible()) QTest::mouseClick(dlg->cmdCancel, Qt::LeftButton);
        });
        head->MenuItem("Transferfile_e")->trigger();
        EXPECT_TRUE(seen);
    }
    static void Click(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }

    std::vector<frmHead::FileDialogRequest> requests;
};

}  // namespace

TEST_F(TransferGui, ToFileIntelHexAndTheTransferProgram) {
    const std::string project = dir.file("city.txl");
    WriteProject(project);
    const std::string expected = ProbeOut(project);
    ASSERT_FALSE(expected.empty());
    frmHead& h = StartWith(project);

    // To file: the real dialog proposes city.out beside the project.
    AnswerFileDialog(h.CommonDialog1);
    h.MenuItem("mnuTransferToFile")->trigger();
    NothingOfTheDialogLeft();
    EXPECT_EQ(testutil::ReadFile(dir.file("city.out")), expected);
    EXPECT_EQ(testutil::ReadFile(dir.file("t.ini")), dir.file("city.out") + "\r\n");
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;

    // Intel HEX: city.hex decodes back to the same out-file; tmp2hex.out stays.
    AnswerFileDialog(h.CommonDialog1, dir.file("city.hex"));
    h.MenuItem("mnuTransferIntelHex")->trigger();
    NothingOfTheDialogLeft();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Conversion ready!");
    EXPECT_EQ(testutil::ReadFile(JoinPath(gDataPath, "tmp2hex.out")), expected);
    ASSERT_EQ(QProcess::execute("objcopy", {"-I", "ihex", "-O", "binary", Q(dir.file("city.hex")), Q(dir.file("decoded.bin"))}), 0);
    EXPECT_EQ(testutil::ReadFile(dir.file("decoded.bin")), expected);

    // The transfer program gets the document folder's trans.out and the
    // project's out-file name.
    const std::string args = InstallFakeProgram();
    h.MenuItem("mnuTransferToTDOrLoader")->trigger();
    EXPECT_EQ(WaitForArgs(args), dir.file("trans.out") + "\n#DISPLAY#" + dir.file("city.out") + "\n");
    EXPECT_EQ(testutil::ReadFile(dir.file("trans.out")), expected);

    // The proposed out-file taken as it is: Open takes it unedited.
    AnswerFileDialog(h.CommonDialog1);
    h.MenuItem("mnuTransferFileToTDOrLoader")->trigger();
    NothingOfTheDialogLeft();
    EXPECT_EQ(WaitForArgs(args), dir.file("city.out") + "\n");

    // A chosen out-file of 13 characters or more goes as a fresh copy.
    testutil::WriteFile(dir.file("routes-north.out"), expected);
    testutil::WriteFile(dir.file("TMP32T16.OUT"), "stale");
    AnswerFileDialog(h.CommonDialog1, "routes-north.out");
    h.MenuItem("mnuTransferFileToTDOrLoader")->trigger();
    NothingOfTheDialogLeft();
    EXPECT_EQ(WaitForArgs(args), dir.file("TMP32T16.OUT") + "\n");
    EXPECT_EQ(testutil::ReadFile(dir.file("TMP32T16.OUT")), expected);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(TransferGui, OldLayoutTakesItsTemporaryDestinationAway) {
    const std::string project = dir.file("old.txl");
    WriteProject(project, true);
    const std::string expected = ProbeOut(project);
    frmHead& h = StartWith(project);
    ASSERT_EQ(gCommandRowOn, 0);
    const std::vector<std::string> before = Records();
    const int lines = h.DestList->count();
    ChooseWithoutDialog({dir.file("old.out")});
    h.MenuItem("mnuTransferToFile")->trigger();
    EXPECT_EQ(testutil::ReadFile(dir.file("old.out")), expected);
    // The build had destination 999: its pointer table has 1000 entries.
    ASSERT_GT(expected.size(), 17u);
    EXPECT_EQ(static_cast<unsigned char>(expected[16]) + 256 * static_cast<unsigned char>(expected[17]), 1000);
    EXPECT_EQ(h.DestList->count(), lines);
    for (int i = 0; i < h.DestList->count(); ++i)
        EXPECT_FALSE(h.DestList->item(i)->text().trimmed().startsWith("999")) << i;
    EXPECT_EQ(Records(), before);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TransferGui, FailuresLeaveNothingBehind) {
    const std::string project = dir.file("city.txl");
    WriteProject(project);
    frmHead& h = StartWith(project);
    const std::string kcm = JoinPath(gDataPath, "EnglskTD.kcm");
    const std::string kcmBytes = testutil::ReadFile(kcm);
    struct Case {
        const char* what;
        std::function<void()> spoil, mend;
        std::string target;
        const char* message;
    } cases[] = {
        {"unwritable target folder", [] {}, [] {}, dir.file("missing-folder/city.out"), "could not be written"},
        {"missing command file", [&] { fs::remove(kcm); }, [&] { testutil::WriteFile(kcm, kcmBytes); },
         dir.file("city.out"), "EnglskTD.kcm"},
        {"missing font", [] { gDestList[3].SignData += "\xd4q"; }, [] { gDestList[3].SignData.resize(gDestList[3].SignData.size() - 2); },
         dir.file("city.out"), "The font q is missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.messages.clear();
        c.spoil();
        ChooseWithoutDialog({c.target});
        h.MenuItem("mnuTransferToFile")->trigger();
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_NE(ui.messages[0].text.find(c.message), std::string::npos) << ui.messages[0].text;
        EXPECT_EQ(ui.messages[0].title, kMsgTitle);
        EXPECT_FALSE(fs::exists(c.target));
        EXPECT_FALSE(fs::exists(dir.file("t.ini")));
        c.mend();
    }
    EXPECT_EQ(ui.messages.back().style, vbExclamation);  // the font section's own message

    // No transfer program: said so, and nothing is built or started.
    ui.messages.clear();
    h.MenuItem("mnuTransferToTDOrLoader")->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("kivart16 is not in the program folder"), std::string::npos);
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    EXPECT_FALSE(fs::exists(dir.file("trans.out")));
    // A program that is there but cannot run.
    testutil::WriteFile(dir.file("kivart16"), "not a program");
    chmod(dir.file("kivart16").c_str(), 0644);
    ui.messages.clear();
    h.MenuItem("mnuTransferToTDOrLoader")->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("could not be started"), std::string::npos);
}

TEST_F(TransferGui, SendButtonWritesTheTelegramsToThePort) {
    const std::string project = dir.file("city.txl");
    WriteProject(project);
    Pty pty;
    ASSERT_TRUE(IniInsertKey(gSettingsFile, "Kivar-t", "PortName", pty.path));
    frmHead& h = StartWith(project);
    ASSERT_EQ(gPortName, pty.path);
    // Destination 3 has one sub-record, destination 1 one per sign.
    for (int row : {2, 0}) {
        OpenDestination(row);
        const int16_t n = gCurrentDest;
        ASSERT_EQ(n, row + 1);
        const testutil::ProbeResult r = testutil::RunProbe({"telegram", "--data", dir.path(), project, std::to_string(n)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), n == 3 ? 1 : 2);
        h.DestList->setFocus();
        QTest::mouseClick(h.cmdMatrix16, Qt::LeftButton);
        EXPECT_EQ(pty.Read(), BytesOfHexLines(r.out)) << n;
        // The keyboard goes back to the sign picture.
        EXPECT_EQ(QApplication::focusWidget(), h.CurrentSignPicture()) << n;
    }
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
}

// A device that is not there, and a pseudo-terminal that refuses to open
// (its other end never unlocked it): the message names the device and the
// system's reason. The terminal is held for the whole test, so no other
// program can be given its number meanwhile.
TEST_F(TransferGui, APortThatDoesNotOpenIsNamedWithTheSystemsReason) {
    const std::string project = dir.file("city.txl");
    WriteProject(project);
    const int lockedMaster = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(lockedMaster, 0);
    ASSERT_EQ(grantpt(lockedMaster), 0);
    const std::string closedPty = ptsname(lockedMaster);
    struct Closer {
        int fd;
        ~Closer() { close(fd); }
    } closer{lockedMaster};
    const std::string missing = dir.file("ttyMissing");
    ASSERT_TRUE(IniInsertKey(gSettingsFile, "Kivar-t", "PortName", missing));
    frmHead& h = StartWith(project);
    for (const std::string& device : {missing, closedPty}) {
        SCOPED_TRACE(device);
        gPortName = device;
        ResetSerialSend();  // the report comes once a run
        ui.messages.clear();
        OpenDestination(0);
        QTest::mouseClick(h.cmdMatrix16, Qt::LeftButton);
        ASSERT_EQ(ui.messages.size(), 1u);
        const std::string head = "Error in .PortOpen!\r" + device + ":\r";
        EXPECT_EQ(ui.messages[0].text.substr(0, head.size()), head);
        EXPECT_GT(ui.messages[0].text.size(), head.size() + 3) << ui.messages[0].text;
    }
    // The fourth port of the system (COM4): when the system has fewer, the
    // message says so; when it has one, the device and the reason.
    gPortName.clear();
    gPortIndex = 3;
    ResetSerialSend();
    ui.messages.clear();
    QTest::mouseClick(h.cmdMatrix16, Qt::LeftButton);
    if (!ui.messages.empty()) {
        const QStringList lines = QString::fromStdString(ui.messages[0].text).split('\r');
        ASSERT_EQ(lines.size(), 3) << ui.messages[0].text;
        EXPECT_EQ(lines[0], "Error in .PortOpen!");
        EXPECT_TRUE(lines[1] == "COM4:" || lines[1].startsWith("/dev/")) << ui.messages[0].text;
        EXPECT_FALSE(lines[2].isEmpty());
    }
}

TEST_F(TransferGui, OptionsDialogInterlocksAndOK) {
    frmHead& h = ShowActivated();  // the template project: no destinations, no extra texts
    struct Step {
        const char* what;
        std::function<void(frmPrefOUTFile&)> act;
        int height;  // the layout's form height
        bool controlInfo, controlInfoEnabled, linje, linjeEnabled, extra, brisbane, routeFieldsEnabled;
    };
    RunOptions([&](frmPrefOUTFile& d) {
        const Step steps[] = {
            {"opened", [](frmPrefOUTFile&) {}, 342, true, true, false, true, false, false, true},
            {"own route-number characters", [](frmPrefOUTFile& d) { Click(d.CommandRow_CB); }, 446, true, true, false, true, false, false, true},
            {"destination codes", [](frmPrefOUTFile& d) { Click(d.chkBrisbane); }, 446, true, false, true, false, false, true, false},
            {"codes off again", [](frmPrefOUTFile& d) { Click(d.chkBrisbane); }, 446, true, true, false, true, false, false, true},
            {"extra texts per sign", [](frmPrefOUTFile& d) { Click(d.chkExtra142); }, 446, true, false, false, true, true, false, true},
            {"extra texts off", [](frmPrefOUTFile& d) { Click(d.chkExtra142); }, 446, true, true, false, true, false, false, true},
            {"no route-number command", [](frmPrefOUTFile& d) { Click(d.chkLinjeNummer); }, 446, true, true, true, true, false, false, false},
            {"old layout", [](frmPrefOUTFile& d) { Click(d.ControlInfo_CB); }, 140, false, true, true, true, false, false, false},
            {"layout 1.5 again", [](frmPrefOUTFile& d) { Click(d.ControlInfo_CB); }, 342, true, true, true, true, false, false, false},
        };
        for (const Step& s : steps) {
            SCOPED_TRACE(s.what);
            s.act(d);
            EXPECT_EQ(d.height(), s.height);
            EXPECT_EQ(d.ControlInfo_CB->isChecked(), s.controlInfo);
            EXPECT_EQ(d.ControlInfo_CB->isEnabled(), s.controlInfoEnabled);
            EXPECT_EQ(d.chkLinjeNummer->isChecked(), s.linje);
            EXPECT_EQ(d.chkLinjeNummer->isEnabledTo(d.frm_00281_03), s.linjeEnabled);
            EXPECT_EQ(d.chkExtra142->isChecked(), s.extra);
            EXPECT_EQ(d.chkBrisbane->isChecked(), s.brisbane);
            EXPECT_EQ(d.RouteNumberSeq_TB->isEnabledTo(d.CommandRow_F), s.routeFieldsEnabled);
            EXPECT_EQ(d.frm_00281_03->isVisible(), s.height != 140);
            EXPECT_EQ(d.CommandRow_F->isVisible(), s.height == 446);
            EXPECT_EQ(d.txtPromName->isVisible(), s.height != 140);
            EXPECT_EQ(d.txtAscii->isVisible(), s.height == 140);
        }
        // The old layout's name takes digits only.
        Click(d.ControlInfo_CB);
        d.txtAscii->clear();
        QTest::keyClicks(d.txtAscii, "1a2");
        EXPECT_EQ(d.txtAscii->text(), "12");
        EXPECT_EQ(ui.beeps, 1);
        Click(d.ControlInfo_CB);
        // In layout 1.5 the own characters again (layout 1.5 left them off).
        Click(d.CommandRow_CB);
        Click(d.chkLinjeNummer);
        ASSERT_TRUE(d.RouteNumberSeq_TB->isEnabled());

        // OK refuses a start character outside the sequence and resets it.
        d.RouteNumberStartChar_TB->setText("Z");
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, "'Z' is not a character of the sequence!");
        EXPECT_EQ(d.RouteNumberStartChar_TB->text(), "0");
        // And command-row memories that are no number, with a beep.
        d.ComrowMems_TB->setText("four");
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(ui.beeps, 2);

        d.ComrowMems_TB->setText("4");
        d.RouteNumberSeq_TB->setText("-0123456789");
        d.RouteNumberStartChar_TB->setText("1");
        d.txtPromName->setText("North  ");
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(gCommandRowOn, 1);
    EXPECT_EQ(gControlInfoOn, 1);
    EXPECT_EQ(gComrowMems, 4);
    EXPECT_EQ(gRouteNumberSeq, "-0123456789");
    EXPECT_EQ(gRouteNumberStartIndex, 3);
    EXPECT_EQ(gPromName, "North");
    EXPECT_EQ(gDocumentModified, kTrue);

    // Saved and opened again, the project keeps them; the dialog shows them.
    ChooseWithoutDialog({dir.file("opts.txl")});
    h.MenuItem("mnuSparasom")->trigger();
    ASSERT_EQ(gDocumentPath, dir.file("opts.txl"));
    ResetOutOptions();
    ChooseWithoutDialog({dir.file("opts.txl")});
    h.MenuItem("mnuÖppna")->trigger();
    EXPECT_EQ(gControlInfoOn, 1);
    EXPECT_EQ(gComrowMems, 4);
    EXPECT_EQ(gRouteNumberSeq, "-0123456789");
    EXPECT_EQ(gRouteNumberStartIndex, 3);
    EXPECT_EQ(gPromName, "North");
    RunOptions([](frmPrefOUTFile& d) {
        EXPECT_EQ(d.height(), 446);
        EXPECT_TRUE(d.CommandRow_CB->isChecked());
        EXPECT_EQ(d.RouteNumberStartChar_TB->text(), "1");
        EXPECT_EQ(d.ComrowMems_TB->text(), "4");
        EXPECT_EQ(d.txtPromName->text(), "North");
        // Cancel stores nothing.
        d.txtPromName->setText("South");
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
    });
    EXPECT_EQ(gPromName, "North");
}

TEST_F(TransferGui, SimulationPagesNextAndCancel) {
    const std::string project = dir.file("city.txl");
    WriteProject(project);
    Pty pty;
    ASSERT_TRUE(IniInsertKey(gSettingsFile, "Kivar-t", "PortName", pty.path));
    FakeClock clock(1000);
    frmHead& h = StartWith(project);
    ASSERT_EQ(SignInfoOf(3).Shown, kFalse);  // only the first sign is shown after Open
    const int16_t sign = gCurrentSign, page = gCurrentPage;

    h.MenuItem("mnuToolsShowtime")->trigger();
    frmShowTime* sim = h.ShowTime;
    ASSERT_NE(sim, nullptr);
    EXPECT_TRUE(sim->isVisible());
    EXPECT_FALSE(h.isVisible());
    EXPECT_EQ(sim->windowTitle(), "Sign simulation: Dest 1");
    EXPECT_EQ(sim->cmdNext->text(), "Next");
    EXPECT_EQ(sim->cmdAvbryt->text(), "Cancel");
    // FRONT's two pages on top of each other, SIDE's page below them.
    ASSERT_EQ(sim->picShow.size(), 3u);
    QLabel* p1 = sim->picShow.at(1);
    QLabel* p2 = sim->picShow.at(2);
    EXPECT_EQ(p1->geometry(), p2->geometry());
    EXPECT_GT(sim->picShow.at(3)->y(), p1->geometry().bottom());
    EXPECT_NE(p1->pixmap().toImage(), p2->pixmap().toImage());
    auto front = [&] { return sim->childAt(p1->geometry().center()); };
    EXPECT_EQ(front(), p1);

    // The pages turn every second, back to the first after the last, at the
    // simulation's ticks; the destination goes to the port.
    EXPECT_EQ(sim->timSim->interval(), frmShowTime::kTickMs);
    auto tick = [&](double seconds) {
        clock.Advance(seconds);
        Elapse(sim->timSim);
        QApplication::processEvents();
    };
    tick(1);
    EXPECT_EQ(front(), p2);
    for (int i = 0; i < 3; ++i) tick(0.1);
    EXPECT_EQ(front(), p2);
    tick(0.7);
    EXPECT_EQ(front(), p1);
    const std::string sent = pty.Read();
    const std::string telegrams =
        BytesOfHexLines(testutil::RunProbe({"telegram", "--data", dir.path(), project, "1"}).out);
    ASSERT_GE(sent.size(), telegrams.size());
    EXPECT_EQ(sent.substr(0, telegrams.size()), telegrams);

    // Next: destination 2.
    QTest::mouseClick(sim->cmdNext, Qt::LeftButton);
    ASSERT_EQ(h.ShowTime, sim);
    EXPECT_EQ(sim->windowTitle(), "Sign simulation: Dest 2");
    EXPECT_EQ(sim->picShow.size(), 3u);

    // Cancel ends it: the main window, its signs and page as they were.
    QTest::mouseClick(sim->cmdAvbryt, Qt::LeftButton);
    EXPECT_EQ(h.ShowTime, nullptr);
    QApplication::processEvents();
    EXPECT_TRUE(h.isVisible());
    EXPECT_EQ(SignInfoOf(2).Shown, kTrue);
    EXPECT_EQ(SignInfoOf(3).Shown, kFalse);
    EXPECT_FALSE(h.PicSignFrame[1]->isVisible());
    EXPECT_EQ(gCurrentSign, sign);
    EXPECT_EQ(gCurrentPage, page);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
}

TEST_F(TransferGui, ConverterWindow) {
    testutil::WriteFile(dir.file("north.out"), std::string(40, '\x0a'));
    frmFileConv conv;
    conv.show();
    AnswerFileDialog(conv.Dialog, dir.file("north.out"));
    QTest::mouseClick(conv.Browse, Qt::LeftButton);
    NothingOfTheDialogLeft();
    EXPECT_EQ(conv.FileName->text().toStdString(), dir.file("north.out"));
    QTest::mouseClick(conv.Start, Qt::LeftButton);
    std::string hex;
    ASSERT_TRUE(ConvertOutToHex(std::string(40, '\x0a'), hex));
    EXPECT_EQ(testutil::ReadFile(dir.file("north.hex")), hex);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Conversion ready!");

    // A name without an extension is refused.
    conv.FileName->setText(Q(dir.file("north")));
    QTest::mouseClick(conv.Start, Qt::LeftButton);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].text.find("no extension"), std::string::npos);
}
