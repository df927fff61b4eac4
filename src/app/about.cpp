#include "app/about.h"

#include "data/printprefs.h"
#include "platform/vb.h"

namespace kv {

const char* const kMakerLine = "The Kivar32 project";
const char* const kMakerWebAddress = "https://kivar32.example.org";
const char* const kApplicationTitle = "Kivar32\xAE";

namespace {

const std::string kNewLine = "\r\n";
bool Replaced(const std::string& text) { return Left(text, 7) == "REPLACE"; }

std::string Lines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) out += (i ? kNewLine : "") + lines[i];
    return out;
}

}  // namespace

std::string MarkProductWord(const std::string& text) {
    const std::string word = "KIVAR";
    std::string out = text;
    size_t p = UCase(out).find(word);
    while (p != std::string::npos) {
        out.insert(p + word.size(), "\xAE");
        p = UCase(out).find(word, p + word.size() + 1);
    }
    return out;
}

AboutTexts ComposeAboutTexts(const std::vector<std::string>& s) {
    auto at = [&](int key) { return s.at(static_cast<size_t>(key - 1100)); };
    AboutTexts t;
    std::vector<std::string> maker = {kMakerLine, at(1100)};
    if (!Replaced(at(1103))) maker.push_back(at(1103));
    maker.insert(maker.end(), {at(1101), at(1102), kMakerWebAddress});
    t.description = Lines(maker);
    t.representative = !Replaced(at(1107));
    if (t.representative)
        t.repAddress = Lines({at(1112), at(1113), at(1107), at(1108), at(1109), at(1110), at(1111)});
    t.disclaimer = MarkProductWord(at(1104) + at(1105) + at(1106));
    return t;
}

AboutTexts ReadAboutTexts() {
    std::vector<std::string> keys;
    for (int n = 1100; n <= 1113; ++n) keys.push_back("S" + std::to_string(n));
    return ComposeAboutTexts(LangTextsInOneRun(keys));
}

std::string AboutKeySequence::KeyDown(int keyCode, int shift) {
    if (shift != 7 || keyCode == 16) return {};
    typed_ += Chr(keyCode);
    std::string greeting;
    if (typed_.find("PALMCOVERS") != std::string::npos) greeting = "Greetings from the palm beach of the Kivar32 team!";
    else if (typed_.find("TOWEL") != std::string::npos) greeting = "Remember to bring a towel to the beach!";
    if (!greeting.empty() || typed_.size() >= 101) typed_.clear();
    return greeting;
}

}  // namespace kv
