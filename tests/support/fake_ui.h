// A UiHost for tests: records every message, answers from a queue, and turns
// the end of the program into an exception.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/host.h"

struct ProgramEnded : std::runtime_error {
    int code;
    explicit ProgramEnded(int c) : std::runtime_error("program ended"), code(c) {}
};

struct RecordedMessage {
    std::string text;
    int style;
    std::string title;
};

class FakeUi : public kv::UiHost {
public:
    FakeUi() { kv::SetUiHost(this); }
    ~FakeUi() override { kv::SetUiHost(nullptr); }
    int MessageBox(const std::string& text, int style, const std::string& title) override;
    void Beep() override { ++beeps; }
    void DoEvents() override { ++events; }
    [[noreturn]] void EndProgram(int code) override { throw ProgramEnded(code); }

    std::vector<RecordedMessage> messages;
    std::deque<int> answers;  // consumed in order; default: first button
    int beeps = 0;
    int events = 0;
};
