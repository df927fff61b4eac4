// Writing the project file in the format version gTxlVersion. The bytes are
// streamed in pieces into the safe writer as they are made: the new file is
// complete and flushed beside the target before the old one becomes its
// backup and the new one takes the name, so a failure never loses the old
// file.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

class TxlByteWriter;

// Writes the whole project to `path`, taken exactly as written (the
// auto-save file is found without regard to case); a link there stays and
// its file is written, and a write-protected file is refused. The literal
// name "*.txl" only shows S36. Destination codes on: the destination table is put in code order
// first. Unless backups are off (gBackupOn) or `path` is the auto-save file,
// an existing file is kept as its backup (TxlBackupPath). Returns false when
// nothing was written; the reason is shown unless `reportErrors` is false.
bool SaveTxlFile(const std::string& path, bool reportErrors = true);

// The backup of a project file: the path with its final extension ".txl" or
// ".ini" (any letter case) replaced by ".BAK"; "" for any other name.
std::string TxlBackupPath(const std::string& path);

// The bytes of the project file in a version. Throws TxlWriteError when the
// project does not fit the layout (a text longer than 32767 characters).
std::string BuildTxlFile(int16_t version);
// The same bytes, handed to the writer as they are made (it is finished here).
void WriteTxlFile(TxlByteWriter& w, int16_t version);

// The steps of the writing, in file order. The record writers take the
// number of records to write at most (the list lines, and destination 0) and
// store the number actually written before the records.
void WriteTxlHeader(TxlByteWriter& w, int16_t version);
void WriteDestRecords(TxlByteWriter& w, int16_t version, int count);
void WriteExtraRecords(TxlByteWriter& w, int16_t version, int count);
void WriteTxlTrailer(TxlByteWriter& w);

}  // namespace kv
