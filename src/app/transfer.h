// The Transfer commands of the main window without their window: the open
// project becomes its out-file, which is kept under a chosen name, converted
// to Intel HEX or handed to the transfer program; or an out-file that exists
// is handed to the transfer program.
//
// Every command stops at the first failure (building, writing, converting,
// copying, starting) with a message that names it, and then leaves no
// out-file or HEX file of its own under the target name, writes no t.ini and
// starts nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kv {

// What a command asks of the file dialog: save (prompting before it
// overwrites) or open (the file must exist), the filter as
// description|pattern pairs and the proposed name.
struct TransferFileRequest {
    bool save = true;
    std::string filter;
    std::string fileName;
};
// The chosen path, or nullopt for a cancel.
using TransferFileChooser = std::function<std::optional<std::string>(const TransferFileRequest&)>;

enum class TransferResult { Done, Cancelled, Failed };

extern const char* const kOutFileFilter;  // "Kivar Out (*.out)|*.out|All files (*.*)|*.*"
extern const char* const kHexFileFilter;  // "Intel hex file (*.hex)|*.hex|All files (*.*)|*.*"

// The project's out-file name with the extension "out" or "hex": the
// project's path with its last three characters replaced, or trans.out
// (tmp2hex.hex) in the document folder for a project without a file.
std::string ProjectOutFileName(const std::string& extension);

// With destination codes on and the project modified, the destination table
// is brought into code order and its list refilled; otherwise nothing.
void bKollaBM();

// The transfer program: kivart16 in the program folder, as found on disk;
// "" when it is not there.
std::string TransferProgramPath();
// The arguments the transfer program gets after a build: the document
// folder's trans.out and "#DISPLAY#" with the project's out-file name.
std::vector<std::string> TransferProgramArgs();
// The name a chosen out-file is passed under: its own when its file name has
// at most 12 characters, else TMP32T16.OUT in its folder.
std::string TransferCopyName(const std::string& chosen);

// To file: the out-file under a chosen name, and t.ini in the document
// folder naming it (the path and CR LF).
TransferResult TransferToFile(const TransferFileChooser& choose);
// Intel HEX: the out-file as tmp2hex.out in the data folder (before the
// dialog, so it stays), then its HEX records under a chosen name.
TransferResult TransferIntelHex(const TransferFileChooser& choose);
// The out-file as trans.out in the document folder, handed to the transfer
// program.
TransferResult TransferToLoader();
// A chosen out-file handed to the transfer program (a long name as a fresh
// copy TMP32T16.OUT beside it).
TransferResult TransferFileToLoader(const TransferFileChooser& choose);

}  // namespace kv
