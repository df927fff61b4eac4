// Reading a project file (*.txl, the template standard.ini, the auto-save
// file) into the project tables, the sign table, the out-file options, the
// route-number settings and the main window's two lists.
//
// OpenTxlFile: the callers empty the tables and the lists first
// (ClearRecordsAndLines). A file that cannot be opened is reported and the
// template standard.ini of the data folder is read in its place (once; when
// that fails too the project is left empty). A damaged file is reported
// once; what was read before the damage stays, as an untitled project, so
// that Save cannot overwrite the file.
//
// OpenTxlFileWhole: a project opened whole or not at all (File/Open, the
// recovery at start).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

class TxlByteReader;

enum class TxlReadResult {
    Read,        // the whole file was read
    Skipped,     // the name was the literal "*.txl": nothing happened
    OpenFailed,  // the file could not be opened; the template (or nothing) was loaded, untitled
    ReadError,   // the file is damaged; the part before the damage was kept, untitled
};

TxlReadResult OpenTxlFile(const std::string& path);
// Reads the file into fresh tables while the open project is held aside
// (files/projecttables.h). A file that cannot be opened or is damaged is
// reported, and the open project comes back as it was: records, lines, signs,
// options, route-number settings, version. Once the file is read whole,
// `leaveOpenProject` (when given) runs on the open project, and then the
// project read takes its place.
TxlReadResult OpenTxlFileWhole(const std::string& path, const std::function<void()>& leaveOpenProject = {});
// The reading of OpenTxlFile without its report and fallback: the file read
// in pieces straight into the tables. 0 when it was read (`result` then says
// how), else the error number: 53 when the file is not found, 75 when it
// cannot be opened or read to its end (the tables are then emptied).
int ReadTxlFile(const std::string& path, TxlReadResult& result);
// The reading of OpenTxlFile on a file's bytes; `path` names the file in the
// message about damage.
TxlReadResult ReadTxlData(std::string_view bytes, const std::string& path);
// The same from a reader. A file that cannot be read to its end throws
// TxlFileError (OpenTxlFile reports it as a file it cannot open).
TxlReadResult ReadTxlData(TxlByteReader& r, const std::string& path);

// The steps of the reading, in file order. They throw TxlReadError (and
// VbError from the table helpers) on damage.
void ReadTxlHeader(TxlByteReader& r);
void ReadDestRecords(TxlByteReader& r);
void ReadExtraRecords(TxlByteReader& r);
void ReadTxlTrailer(TxlByteReader& r);

// Empties every destination and extra-text record: strings empty, ChangeTime
// gDefaultChangeTime, Flag off, Code four Chr(0), Srad "0000000000".
void ClearLists();
// ClearLists, and the main window's two lists emptied too.
void ClearRecordsAndLines();

// What the last reading met, in file order (for the dump and the tests).
struct TxlReadInfo {
    int16_t version = -1;
    std::string tag;               // as stored, with any suffix; "" without one
    bool twoDirecBlock = false;    // the refused block was present
    int16_t lineNoCountField = 0;  // field 1 as stored
    std::string storedName;        // the out-file name as stored
    int16_t fontSectionField = 0;  // as stored (the reading takes it from the layout)
    std::vector<int16_t> destIndexes;
    std::vector<int16_t> extraIndexes;
    bool trailerPresent = false;
    int16_t trailerTexts = 0;  // route-number texts read from the trailer
};
const TxlReadInfo& LastTxlReadInfo();

}  // namespace kv
