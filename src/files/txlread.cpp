#include "files/txlread.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/userfields.h"
#include "engine/routenumber.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/projecttables.h"
#include "files/txlbytes.h"
#include "files/txlformat.h"
#include "platform/error.h"
#include "platform/ports.h"
#include "platform/paths.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "engine/routenolayout.h"

namespace kv {

namespace {

TxlReadInfo gInfo;
// "Bad format!" is said once per file.
bool gBadFormatShown = false;
const ResetRegistrar kReset("project reading", StateLayer::Files, [] {
    gInfo = TxlReadInfo{};
    gBadFormatShown = false;
});

constexpr int kErrFileNotFound = 53;
constexpr int kErrPathAccess = 75;
// Not a number of the error list: a file refused before it is opened.
constexpr int kErrNotPlainFile = -1;

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// The system's reason for the last file that could not be opened or read.
std::string gFileReason;

// The file opened for reading, and its length; 0, or the error number when
// it cannot be read (the system's reason in gFileReason).
int OpenFile(const std::string& path, FilePtr& file, size_t& size) {
    gFileReason.clear();
    // A pipe, a device or a kernel file is not opened: it would hold the
    // program waiting for bytes.
    if (const std::string refused = NotPlainFileReason(path); !refused.empty()) {
        // The reason without the name it starts with.
        const size_t nameEnd = refused.find("\r\n");
        gFileReason = nameEnd == std::string::npos ? refused : refused.substr(nameEnd + 2);
        return kErrNotPlainFile;
    }
    const auto failed = [](int number) {
        gFileReason = std::strerror(errno ? errno : EIO);
        return number;
    };
    errno = 0;
    file.reset(std::fopen(FsPath(path).c_str(), "rb"));
    if (!file) return failed(errno == ENOENT || errno == ENOTDIR ? kErrFileNotFound : kErrPathAccess);
    // The reader takes the file in large pieces of its own.
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    long length = -1;
    if (std::fseek(file.get(), 0, SEEK_END) == 0) length = std::ftell(file.get());
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return failed(kErrPathAccess);
    size = static_cast<size_t>(length);
    return 0;
}

std::string ErrorDescription(int number) {
    return number == kErrFileNotFound ? "File not found" : "Path/File access error";
}

// The message about a file that could not be opened or read to its end: the
// file, the error and the system's reason.
std::string OpenErrorMessage(const std::string& path, int number) {
    std::string reason = "Error # " + std::to_string(number) + ": " + ErrorDescription(number);
    if (!gFileReason.empty()) reason += " (" + gFileReason + ")";
    return FileMessage(path, reason);
}

void MakeUntitled() {
    gDocumentPath.clear();
    WindowPort().SetMainCaption(MainWindowCaption());
}

bool SamePath(const std::string& a, const std::string& b) {
    return EqualsNoCase(ResolvePath(NativePath(a)), ResolvePath(NativePath(b)));
}

std::string TemplatePath() { return JoinPath(gDataPath, "standard.ini"); }

// A project without signs or records.
void LoadEmptyProject() {
    ClearSignConfigFlags();
    ClearSignTable();
    ClearRecordsAndLines();
    gLineNoTable.fill(std::string());
    SetHeadModeControls(false);
}

void CheckIndex(int16_t index, int count, const char* table) {
    if (index < 0 || index >= count)
        throw TxlReadError(std::string("a ") + table + " number out of range: " + std::to_string(index));
}

// Records as the writer stores them: their numbers rise from record to record
// and every record holds sign data. Zeros where records stood (what a power
// loss leaves) read as record 0 again and again, without data.
void CheckRecordOrder(int16_t index, int16_t previous, const char* table) {
    if (index <= previous)
        throw TxlReadError(std::string("a ") + table + " number repeated or out of order: " + std::to_string(index));
}
void CheckSignData(int16_t index, const std::string& signData, const char* table) {
    if (signData.empty()) throw TxlReadError(std::string("a ") + table + " without sign data: " + std::to_string(index));
}

// The file's fields into the tables; damage is reported and ends the reading.
TxlReadResult ReadTxlContents(TxlByteReader& r, const std::string& path) {
    gInfo = TxlReadInfo{};
    gBadFormatShown = false;
    gTenCharFieldOn = kFalse;
    // The route-number texts belong to the project being read.
    gLineNoTable.fill(std::string());
    TxlReadResult result = TxlReadResult::Read;
    const auto finish = [] {
        gTenCharFieldOn = kFalse;
        gRouteNoFieldPlaced = kFalse;
    };
    try {
        ReadTxlHeader(r);
        {
            // The lists are filled line by line; their views are told once.
            ListModel::Batch destLines(DestList);
            ListModel::Batch extraLines(ExtraList);
            ReadDestRecords(r);
            ReadExtraRecords(r);
        }
        ReadTxlTrailer(r);
    } catch (const TxlFileError&) {
        // The file, not its contents: the caller reports it.
        finish();
        throw;
    } catch (const std::exception&) {
        // TxlReadError, or VbError from a table helper.
        MsgBox(gTextS35 + path + " !", vbExclamation);
        result = TxlReadResult::ReadError;
    }
    finish();
    return result;
}

TxlReadResult OpenTxl(const std::string& path, bool isFallback) {
    if (path == "*.txl") return TxlReadResult::Skipped;
    TxlReadResult result = TxlReadResult::Read;
    const int err = ReadTxlFile(path, result);
    if (err == 0) return result;

    MsgBox(OpenErrorMessage(path, err), vbCritical);
    if (!isFallback) {
        // Read the template instead, once; when that is the file that
        // failed, or it fails too, the project is left empty.
        if (!gDataPath.empty()) ChangeDirectory(gDataPath);
        const std::string tmpl = TemplatePath();
        const bool tried = !SamePath(tmpl, path);
        if (!tried || OpenTxl(tmpl, true) == TxlReadResult::OpenFailed) LoadEmptyProject();
    }
    MakeUntitled();
    return TxlReadResult::OpenFailed;
}

}  // namespace

const TxlReadInfo& LastTxlReadInfo() { return gInfo; }

void ClearLists() {
    DestRecord empty;
    empty.ChangeTime = gDefaultChangeTime;
    empty.Flag = kFalse;
    empty.Code = std::string(4, '\0');
    empty.Srad = "0000000000";
    gDestList.fill(empty);
    gExtraList.fill(empty);
}

void ClearRecordsAndLines() {
    ClearLists();
    DestList.Clear();
    ExtraList.Clear();
}

namespace {
const ResetRegistrar kProjectReset("records and list lines", StateLayer::Files, ClearRecordsAndLines,
                                   ResetScope::Project);
}  // namespace

TxlReadResult OpenTxlFile(const std::string& path) { return OpenTxl(path, false); }

int ReadTxlFile(const std::string& path, TxlReadResult& result) {
    FilePtr file;
    size_t size = 0;
    const int err = OpenFile(path, file, size);
    if (err == kErrNotPlainFile) return kErrPathAccess;
    if (err != 0) return err;
    try {
        TxlByteReader r(file.get(), size);
        result = ReadTxlData(r, path);
        return 0;
    } catch (const TxlFileError& e) {
        // As when the file cannot be opened: what was read of it goes.
        gFileReason = e.what();
        ClearRecordsAndLines();
        return kErrPathAccess;
    }
}

TxlReadResult OpenTxlFileWhole(const std::string& path, const std::function<void()>& leaveOpenProject) {
    if (path == "*.txl") return TxlReadResult::Skipped;
    ProjectTables open = TakeProjectTables();
    TxlReadResult result = TxlReadResult::Read;
    int err = 0;
    try {
        FilePtr file;
        size_t size = 0;
        err = OpenFile(path, file, size);
        if (err == 0) {
            TxlByteReader r(file.get(), size);
            result = ReadTxlContents(r, path);
        }
    } catch (const TxlFileError& e) {
        gFileReason = e.what();
        err = kErrPathAccess;
    } catch (...) {
        PutBackProjectTables(std::move(open));
        throw;
    }
    if (err == kErrNotPlainFile) {
        MsgBox(NotPlainFileReason(path), vbCritical);
        result = TxlReadResult::OpenFailed;
    } else if (err != 0) {
        MsgBox(OpenErrorMessage(path, err), vbCritical);
        result = TxlReadResult::OpenFailed;
    }
    if (result != TxlReadResult::Read) {
        PutBackProjectTables(std::move(open));
        return result;
    }
    // The open project comes back with its views to leave as it is; then the
    // one read takes its place, and the views are told.
    ProjectTables opened = TakeProjectTables();
    PutBackProjectTables(std::move(open));
    if (leaveOpenProject) leaveOpenProject();
    PutBackProjectTables(std::move(opened));
    DisableInsertMode();
    return TxlReadResult::Read;
}

TxlReadResult ReadTxlData(std::string_view bytes, const std::string& path) {
    TxlByteReader r(bytes);
    return ReadTxlData(r, path);
}

TxlReadResult ReadTxlData(TxlByteReader& r, const std::string& path) {
    const TxlReadResult result = ReadTxlContents(r, path);
    // What was read before the damage stays, without a name, so that Save
    // cannot put it over the file.
    if (result == TxlReadResult::ReadError) MakeUntitled();
    DisableInsertMode();
    return result;
}

void ReadTxlHeader(TxlByteReader& r) {
    gLineNoFieldCount = r.Int();
    gInfo.lineNoCountField = gLineNoFieldCount;
    gUserDate = r.Str();
    gUserResponsible = r.Str();
    gUserOthers = r.Str();
    gUserCompany = r.Str();
    const std::string storedName = r.Str();
    gInfo.storedName = storedName;

    const int16_t signs = r.Int();
    if (signs < 0 || signs > kSignCount) throw TxlReadError("sign count out of range: " + std::to_string(signs));
    ClearSignConfigFlags();
    ClearSignTable();
    for (int i = 0; i < signs; ++i) {
        const std::string line = r.Str();
        // A sign line is never empty: zeros stand where the lines were.
        if (line.empty()) throw TxlReadError("an empty sign line");
        ParseSignDefinition(line);
        SetSignConfig(line);
    }
    if (!IsSignAddress(gCurrentSign) || !gSignEntry[static_cast<size_t>(gCurrentSign - kFirstSignAddress)].Used) {
        for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
            if (gSignEntry[static_cast<size_t>(a - kFirstSignAddress)].Used) {
                gCurrentSign = a;
                break;
            }
        }
    }

    // The two-direction block of old files is no longer supported.
    std::string text;
    if (r.PeekStr(text) && text == kTxlTwoDirecTag) {
        r.Str();
        gInfo.twoDirecBlock = true;
        MsgBox("Dubbelriktad programmering\rst\xF6" "ds inte l\xE4ngre av KIVAR!", vbOKCancel | vbInformation);
        r.Int();
    }

    // The ID tag, perhaps with the ten-character field's suffix. Version 4
    // has none: what looks like one belongs to the records.
    int16_t version = 4;
    if (r.PeekStr(text)) {
        gInfo.tag = text;
        const size_t srad = text.find(kTxlSradSuffix);
        if (srad != std::string::npos) {
            gTenCharFieldOn = VbBool(text.substr(srad + std::strlen(kTxlSradSuffix)) == "Y");
            text.resize(srad);
        }
        version = TxlVersionOfTag(text);
        if (version != 4) r.Str();
    }
    gTxlVersion = version;
    gInfo.version = version;

    if (version == 6) {
        gDestCodesOn = kTrue;
    } else if (version == 7) {
        const std::string v = r.Raw(3);
        if (v != kTxlVersion7Mark) MsgBox("TXL-version: " + v + "\r\nUpdate Kivar32", vbInformation);
        const std::string flags = r.Raw(kTxlFlagStringLength);
        gDestCodesOn = VbBool(flags[0] == '1');
        gTenCharFieldOn = VbBool(flags[1] == '1');
    } else {
        gDestCodesOn = kFalse;
    }

    if (version == 4) {
        // No tag. The out-file configuration and the route-number settings
        // stay as they were.
        gInfo.tag.clear();
        gTenCharFieldOn = kFalse;
        gAsciiName = storedName;
        gOutCfgLoaded = kFalse;
    } else {
        gSignToShow = r.Str();
        gFontSectionOn = r.Int();
        gInfo.fontSectionField = gFontSectionOn;
        gCommandRowOn = r.Int();
        gComrowMems = r.Int();
        gControlInfoOn = r.Int();
        if (TxlHasLineNumberOn(version)) gLineNumberOn = r.Int();
        gCommandFile = r.Str();
        gRouteNumberSeq = r.Str();
        gRouteNumberStartIndex = r.Int();
        TakeStoredOutFileName(storedName);
        if (version == 1) gExtraPerSign = r.Int();
        gOutCfgLoaded = kTrue;
    }

    if (TxlHasOldRouteNoDefaults(version)) {
        SetOldRouteNoDefaults();
    } else if (TxlHasRouteNoFields(version)) {
        gExtraPerSign = r.Int();
        gRouteNoLeft = r.Int();
        gLineNoFieldCount = r.Int();
        gRouteNoPos = r.Int();
        gLineNoFields = r.Str();
        RecalcRouteNoArea();
    }

    FinishOutOptionsAfterRead();
}

void ReadDestRecords(TxlByteReader& r) {
    const int16_t count = r.Int();
    if (count < 0 || count > kDestCount) throw TxlReadError("destination count out of range: " + std::to_string(count));
    const int16_t version = gTxlVersion;
    const bool hasAlt = TxlDestHasAltText(version);
    const bool hasCode = TxlDestHasCode(version, gDestCodesOn);
    gInfo.destIndexes.reserve(static_cast<size_t>(count));
    int16_t previous = -1;
    for (int i = 0; i < count; ++i) {
        const int16_t index = r.Int();
        CheckIndex(index, kDestCount, "destination");
        CheckRecordOrder(index, previous, "destination");
        previous = index;
        gInfo.destIndexes.push_back(index);
        DestRecord& d = gDestList[static_cast<size_t>(index)];
        d.ChangeTime = ClampChangeTime(r.Int());  // 0..20: never a page mark or section byte
        d.Flag = VbBool(r.Int() == 1);
        r.StrInto(d.Text);
        r.StrInto(d.SignData);
        CheckSignData(index, d.SignData, "destination");
        if (hasAlt) r.StrInto(d.AltText);
        else d.AltText.clear();
        if (hasCode) r.StrInto(d.Code);
        else d.Code = PadCode(std::to_string(index));
        if (gTenCharFieldOn) {
            if (!gBadFormatShown) {
                MsgBox("Bad format!", vbOKOnly);
                gBadFormatShown = true;
            }
            r.StrInto(d.Srad);
        } else {
            d.Srad = "0000000000";
        }
        if (index != 0) AddListLine(index, true);
    }
}

void ReadExtraRecords(TxlByteReader& r) {
    const int16_t count = r.Int();
    if (count < 0 || count > kExtraCount) throw TxlReadError("extra-text count out of range: " + std::to_string(count));
    const bool hasAlt = TxlExtraHasAltText(gTxlVersion);
    gInfo.extraIndexes.reserve(static_cast<size_t>(count));
    int16_t previous = -1;
    for (int i = 0; i < count; ++i) {
        const int16_t index = r.Int();
        CheckIndex(index, kExtraCount, "extra-text");
        CheckRecordOrder(index, previous, "extra-text");
        previous = index;
        gInfo.extraIndexes.push_back(index);
        DestRecord& e = gExtraList[static_cast<size_t>(index)];
        e.ChangeTime = ClampChangeTime(r.Int());
        r.StrInto(e.Text);
        r.StrInto(e.SignData);
        CheckSignData(index, e.SignData, "extra-text");
        FormatListLine(e.Text, index, ExtraList);
        // The first extra text tells whether they carry per-sign sections.
        if (i == 0) gExtraPerSign = VbBool(!e.SignData.empty() && e.SignData[0] == kSectionMark);
        if (hasAlt) r.StrInto(e.AltText);
        else e.AltText.clear();
    }
}

void ReadTxlTrailer(TxlByteReader& r) {
    SetHeadModeControls(false);
    int16_t c1 = 0, c2 = 0;
    if (!r.TryInt(c1) || !r.TryInt(c2)) return;
    gInfo.trailerPresent = true;

    bool on = false;
    bool legacyOn = false;
    if (!(c1 > 999 && c2 > 999)) {
        // Route numbers of old files: (unused, destination, number).
        for (int i = 0; i < c1; ++i) {
            int16_t unused = 0, index = 0, number = 0;
            if (!r.TryInt(unused) || !r.TryInt(index) || !r.TryInt(number)) return;
            CheckIndex(index, kLineNoTableSize, "route-number");
            gLineNoTable[static_cast<size_t>(index)] = Trim(Str(number));
        }
        if (c1 > 0) on = legacyOn = true;
        for (int i = 0; i < c2; ++i) {
            int16_t a = 0, b = 0;
            if (!r.TryInt(a) || !r.TryInt(b)) return;
        }
    }

    int16_t c3 = 0;
    if (r.TryInt(c3) && c3 <= kLineNoTableSize) {
        if (c3 > 0) on = true;
        bool whole = true;
        for (int i = 0; i < c3; ++i) {
            int16_t index = 0, length = 0;
            std::string text;
            if (!r.TryInt(index)) {
                whole = false;
                break;
            }
            CheckIndex(index, kLineNoTableSize, "route-number");
            if (!r.TryInt(length)) {
                whole = false;
                break;
            }
            if (length < 0) throw TxlReadError("negative text length");
            if (!r.TryRaw(static_cast<size_t>(length), text)) {
                whole = false;
                break;
            }
            gLineNoTable[static_cast<size_t>(index)] = std::move(text);
            ++gInfo.trailerTexts;
        }
        if (!whole) on = legacyOn;
        // The project ends with its last route-number text. Bytes after it
        // are no part of it: zeros there are what is left of a longer file
        // whose contents were lost (a zero-filled file reads as an empty
        // project up to here).
        if (whole && !r.AtEnd()) throw TxlReadError("bytes after the end of the project");
    }
    if (on) SetHeadModeControls(true);
}

}  // namespace kv
