#pragma once
// A main window that only records the caption its store button is given,
// installed for as long as it lives; the window installed before comes back.
#include <functional>
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

// A main window whose font label and font status panel report what they are
// given, installed for as long as it lives; the window installed before
// comes back.
class FontWindow : public kv::DocumentWindow {
public:
    FontWindow() : previous_(&kv::WindowPort()) { kv::SetDocumentWindow(this); }
    ~FontWindow() override { kv::SetDocumentWindow(previous_); }
    FontWindow(const FontWindow&) = delete;
    FontWindow& operator=(const FontWindow&) = delete;
    void ShowFontLabel(const std::string& entry) override {
        if (label) label(entry);
    }
    void ShowFontStatus(const std::string& entry) override {
        if (status) status(entry);
    }
    std::function<void(const std::string&)> label, status;

private:
    kv::DocumentWindow* previous_;
};

}  // namespace testutil
