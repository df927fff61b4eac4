#pragma once
// A main window that only records the caption its store button is given,
// installed for as long as it lives; the window installed before comes back.
#include <string>

#include "platform/ports.h"

namespace testutil {

class CaptionWindow : public kv::DocumentWindow {
public:
    explicit CaptionWindow(std::string& caption) : caption_(caption), previous_(&kv::WindowPort()) {
        kv::SetDocumentWindow(this);
    }
    ~CaptionWindow() override { kv::SetDocumentWindow(previous_); }
    CaptionWindow(const CaptionWindow&) = delete;
    CaptionWindow& operator=(const CaptionWindow&) = delete;
    void SetSaveButtonCaption(const std::string& caption) override { caption_ = caption; }

private:
    std::string& caption_;
    kv::DocumentWindow* previous_;
};

}  // namespace testutil
