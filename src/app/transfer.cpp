#include "app/transfer.h"

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/settings.h"
#include "files/document.h"
#include "files/intelhex.h"
#include "files/outbuild.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/safefile.h"

namespace kv {

const char* const kOutFileFilter = "Kivar Out (*.out)|*.out|All files (*.*)|*.*";
const char* const kHexFileFilter = "Intel hex file (*.hex)|*.hex|All files (*.*)|*.*";

namespace {

const char* const kProgramName = "kivart16";
const char* const kLoaderFile = "trans.out";
const char* const kHexSourceFile = "tmp2hex.out";
const char* const kCopyName = "TMP32T16.OUT";
constexpr size_t kLongestPassedName = 12;

// The hourglass for as long as a step runs, however it ends.
struct Busy {
    Busy() { SetBusy(true); }
    ~Busy() { SetBusy(false); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

void ReportFailure(const std::string& what, const std::string& path, const std::string& detail) {
    std::string text = what + "\r" + NativePath(path);
    if (!detail.empty()) text += "\r" + detail;
    MsgBox(text, vbCritical + vbOKOnly);
}

// Writes a whole file through the safe writer; a failure is reported. A
// name chosen in a file dialog is written exactly as chosen.
bool WriteOrReport(const std::string& what, const std::string& path, const std::string& bytes,
                   NameLookup lookup = NameLookup::AnyCase) {
    std::string error;
    if (SafeWriteFile(path, bytes, &error, {}, lookup)) return true;
    ReportFailure(what, path, error);
    return false;
}

// Builds the out-file of the project and writes it to path; any earlier
// file of that name is deleted first, so a failed build leaves none.
bool BuildInto(const std::string& path) {
    Busy busy;
    if (FileExists(path) && !RemoveFile(path)) {
        ReportFailure("The earlier out-file could not be deleted:", path, "");
        return false;
    }
    std::string image;
    if (!BuildOutImage(image)) return false;
    return WriteOrReport("The out-file could not be written:", path, image);
}

// The transfer program, or the message that it is missing.
std::string ProgramOrReport() {
    const std::string program = TransferProgramPath();
    if (program.empty())
        MsgBox("The transfer program " + std::string(kProgramName) + " is not in the program folder\r" +
                   NativePath(ProgramFolder()),
               vbCritical + vbOKOnly);
    return program;
}

bool StartOrReport(const std::string& program, const std::vector<std::string>& args) {
    if (ProgramPort().StartProgram(NativePath(program), args)) return true;
    ReportFailure("The transfer program could not be started:", program, "");
    return false;
}

}  // namespace

std::string ProjectOutFileName(const std::string& extension) {
    if (!gDocumentPath.empty()) {
        const size_t keep = gDocumentPath.size() > 3 ? gDocumentPath.size() - 3 : 0;
        return gDocumentPath.substr(0, keep) + extension;
    }
    return JoinPath(gOpenSavePath, extension == "hex" ? "tmp2hex.hex" : kLoaderFile);
}

void bKollaBM() {
    if (!gDestCodesOn || !gDocumentModified) return;
    Busy busy;
    SortDestList();
    RefreshDestList();
}

std::string TransferProgramPath() {
    const std::string path = JoinPath(ProgramFolder(), kProgramName);
    return FileExists(path) && !DirExists(path) ? ResolvePath(path) : std::string();
}

std::vector<std::string> TransferProgramArgs() {
    return {NativePath(JoinPath(gOpenSavePath, kLoaderFile)), "#DISPLAY#" + NativePath(ProjectOutFileName("out"))};
}

std::string TransferCopyName(const std::string& chosen) {
    if (BaseName(chosen).size() <= kLongestPassedName) return chosen;
    return JoinPath(DirName(chosen), kCopyName);
}

TransferResult TransferToFile(const TransferFileChooser& choose) {
    bKollaBM();
    const std::optional<std::string> path = choose({true, kOutFileFilter, ProjectOutFileName("out")});
    if (!path || path->empty()) return TransferResult::Cancelled;
    {
        Busy busy;
        std::string image;
        if (!BuildOutImage(image)) return TransferResult::Failed;
        if (!WriteOrReport("The out-file could not be written:", *path, image, NameLookup::Exact))
            return TransferResult::Failed;
    }
    if (!WriteOrReport("t.ini could not be written:", JoinPath(gOpenSavePath, "t.ini"), *path + "\r\n"))
        return TransferResult::Failed;
    return TransferResult::Done;
}

TransferResult TransferIntelHex(const TransferFileChooser& choose) {
    bKollaBM();
    const std::string source = JoinPath(gDataPath, kHexSourceFile);
    if (!BuildInto(source)) return TransferResult::Failed;
    const std::optional<std::string> path = choose({true, kHexFileFilter, ProjectOutFileName("hex")});
    if (!path || path->empty()) return TransferResult::Cancelled;
    {
        Busy busy;
        std::string image, hex;
        if (!ReadWholeFile(source, image)) {
            ReportFailure("The out-file could not be read:", source, "");
            return TransferResult::Failed;
        }
        if (!ConvertOutToHex(image, hex)) {
            ReportFailure("The out-file is too large for Intel HEX (1 MB or more):", source, "");
            return TransferResult::Failed;
        }
        if (!WriteOrReport("The HEX file could not be written:", *path, hex, NameLookup::Exact))
            return TransferResult::Failed;
    }
    MsgBox("Conversion ready!", vbOKOnly);
    return TransferResult::Done;
}

TransferResult TransferToLoader() {
    const std::string program = ProgramOrReport();
    if (program.empty()) return TransferResult::Failed;
    bKollaBM();
    if (!BuildInto(JoinPath(gOpenSavePath, kLoaderFile))) return TransferResult::Failed;
    return StartOrReport(program, TransferProgramArgs()) ? TransferResult::Done : TransferResult::Failed;
}

TransferResult TransferFileToLoader(const TransferFileChooser& choose) {
    const std::string program = ProgramOrReport();
    if (program.empty()) return TransferResult::Failed;
    const std::optional<std::string> chosen = choose({false, kOutFileFilter, ProjectOutFileName("out")});
    if (!chosen || chosen->empty()) return TransferResult::Cancelled;
    const std::string passed = TransferCopyName(*chosen);
    if (passed != *chosen) {
        Busy busy;
        std::string bytes;
        if (!ReadWholeFile(*chosen, bytes)) {
            ReportFailure("The out-file could not be read:", *chosen, "");
            return TransferResult::Failed;
        }
        // The copy takes exactly this name, whatever an earlier one was called.
        if (FileExists(passed) && !RemoveFile(passed)) {
            ReportFailure("The earlier copy could not be deleted:", passed, "");
            return TransferResult::Failed;
        }
        if (!WriteOrReport("The copy of the out-file could not be written:", passed, bytes))
            return TransferResult::Failed;
    }
    return StartOrReport(program, {NativePath(passed)}) ? TransferResult::Done : TransferResult::Failed;
}

}  // namespace kv
