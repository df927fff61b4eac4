// Sending a destination over the serial line: one telegram per sub-record,
// one output call each, the port opened and closed around them; the
// refusals and the once-only report of a port that does not open.
#include <gtest/gtest.h>

#include "app/serialsend.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "files/outoptions.h"
#include "files/telegram.h"
#include "platform/serial.h"
#include "platform/vb.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/signs_state.h"

using namespace kv;
using testsigns::B;
using testsigns::Mark;
using testsigns::Sec;

namespace {

class FakeLine : public SerialLine {
public:
    FakeLine() { SetSerialLine(this); }
    ~FakeLine() override { SetSerialLine(nullptr); }
    bool Open(int16_t index, const std::string& name) override {
        log.push_back("open " + std::to_string(index) + " " + name);
        open = opens;
        return opens;
    }
    std::string OpenFailure() const override { return failure; }
    void Write(const std::string& bytes) override {
        EXPECT_TRUE(open);
        writes.push_back(bytes);
    }
    void Close() override {
        log.push_back("close");
        open = false;
    }
    bool opens = true, open = false;
    std::string failure;
    std::vector<std::string> log, writes;
};

class SerialSendTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        testsigns::Sign(testsigns::SignLine("Front", "K4000", "112x16", "2"));
        testsigns::Sign(testsigns::SignLine("Side", "K2000_1R", "20", "3"));
        gDestList[1].SignData = Sec(2) + B({210, 0, 211, 7, 212, '1', 'A'});
        gDestList[2].SignData = Sec(2) + "A" + Mark(0) + "B" + Sec(3) + "S";
        gDestList[2].ChangeTime = 4;
    }
    void TearDown() override { ResetAllState(); }
    FakeUi ui;
    FakeLine line;
};

}  // namespace

TEST_F(SerialSendTest, OneOutputCallPerSubRecord) {
    gPortIndex = 2;
    gPortName = "/dev/ttyUSB0";
    for (int16_t n : {1, 2}) {
        line.writes.clear();
        line.log.clear();
        SendDestToSign(n);
        EXPECT_EQ(line.writes, DestTelegrams(n)) << n;
        EXPECT_EQ(line.log, (std::vector<std::string>{"open 2 /dev/ttyUSB0", "close"})) << n;
    }
    // The second destination: two sub-records, and its page time 0 goes out as 1.
    ASSERT_EQ(line.writes.size(), 2u);
    EXPECT_EQ(line.writes[0].substr(0, 3), B({255, 2, 162}));
    EXPECT_NE(line.writes[0].find(B({176, 1})), std::string::npos);
    EXPECT_EQ(line.writes[0].find(B({176, 0})), std::string::npos);
    EXPECT_EQ(line.writes[1].substr(0, 3), B({255, 3, 162}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SerialSendTest, RefusalsAndAPortThatDoesNotOpen) {
    // Not committed: the message, and the port is left alone.
    SendDestToSign(3);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Nothing to send, text must be saved before it can be sent!");
    EXPECT_EQ(ui.messages[0].style, vbOKOnly);
    EXPECT_TRUE(line.log.empty());

    // The port does not open: reported the first time only, nothing sent.
    ui.messages.clear();
    line.opens = false;
    SendDestToSign(1);
    SendDestToSign(2);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error in .PortOpen!");
    EXPECT_EQ(ui.messages[0].title, kMsgTitle);
    EXPECT_TRUE(line.writes.empty());
    EXPECT_EQ(line.log.size(), 2u);
}

// The port the line tried and the system's reason follow the message.
TEST_F(SerialSendTest, APortThatDoesNotOpenIsNamedWithItsReason) {
    line.opens = false;
    line.failure = "/dev/ttyUSB7:\rNo such file or directory";
    SendDestToSign(1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error in .PortOpen!\r/dev/ttyUSB7:\rNo such file or directory");
}
