// kivar-fontc OUT SOURCE...: compiles glyph sources into the font library.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "fontsource.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kivar-fontc OUT.bib SOURCE.txt...\n");
        return 2;
    }
    try {
        std::vector<std::pair<std::string, std::string>> sources;
        for (int i = 2; i < argc; ++i) {
            std::ifstream in(argv[i], std::ios::binary);
            if (!in) throw std::runtime_error(std::string(argv[i]) + ": cannot read");
            std::ostringstream s;
            s << in.rdbuf();
            sources.emplace_back(argv[i], s.str());
        }
        std::string lib = fontc::BuildLibrary(sources);
        std::filesystem::path out(argv[1]);
        if (out.has_parent_path()) std::filesystem::create_directories(out.parent_path());
        std::filesystem::path tmp = out;
        tmp += ".tmp";
        {
            std::ofstream o(tmp, std::ios::binary | std::ios::trunc);
            o.write(lib.data(), static_cast<std::streamsize>(lib.size()));
            if (!o.flush()) throw std::runtime_error(tmp.string() + ": cannot write");
        }
        std::filesystem::rename(tmp, out);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kivar-fontc: %s\n", e.what());
        return 1;
    }
    return 0;
}
