// A UiHost for tests: records every message and answers from a queue.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/host.h"

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

    std::vector<RecordedMessage> messages;
    std::deque<int> answers;  // consumed in order; default: first button
    int beeps = 0;
    int events = 0;
};
