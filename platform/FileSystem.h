// Files and folders: search, creation, durable replacement and text reads.
// Every name is a data name (see Paths.h) and is mapped before use.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FoundEntry {
  std::string name;  // the entry's own name, without its folder
  bool isFolder = false;
  bool isRegular = false;  // a plain file (after links), not a pipe or device
};

// Lists the entries of a folder whose names match the last component of
// `pattern` ("ui\*", "save\*.yml", "music\*.*"); "*" matches any run of
// characters, "?" one character, "*.*" matches every name. "." and ".." are
// never listed. The result is sorted byte-wise by name. A missing folder
// gives an empty list.
std::vector<FoundEntry> FindFiles(std::string_view pattern);

// Creates one folder (its parent must exist). True when it exists afterwards.
bool MakeFolder(std::string_view path);

// True when `path` names an existing folder (wantFolder) or a non-folder
// (!wantFolder).
bool PathIs(std::string_view path, bool wantFolder);

// Moves `source` over `target`, replacing it: the source is flushed to disk,
// renamed atomically and the folder entry synced, so after a crash either the
// old or the new target is whole. False when the move failed.
bool MoveReplace(std::string_view source, std::string_view target);

// Moves `source` to `target` only when no file has that name (false then,
// and when the move failed); the folder entry is synced.
bool MoveKeepExisting(std::string_view source, std::string_view target);

// Copies a file; an existing target is left as it is (returns false then).
// The copy is written under the target's name with ".tmp" appended, made
// durable and then given the target's name, so the target is never a
// partial copy, even after a crash.
bool CopyFileKeepExisting(std::string_view source, std::string_view target);

// Deletes a file; false when it did not exist or could not be deleted.
bool RemoveFile(std::string_view path);

// Creates an empty file, but only when nothing has that name, checked and
// made in one step: of several processes creating the same name at once,
// exactly one succeeds. False otherwise, with errno EEXIST when something
// had the name.
bool CreateNewFile(std::string_view path);

// A stdio file, closed when the pointer goes.
struct FileCloser {
  void operator()(std::FILE* file) const;
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file for reading in binary, but only a regular file: a named pipe,
// a device or a folder gives null at once (opening a pipe would wait for a
// writer, and reading a device may never end).
FilePtr OpenRegularFile(std::string_view path);

// Opens a file for writing in binary, created or truncated, but only a
// regular file: a named pipe, a device or a folder in its place gives null
// at once, is left as it is and sets `*notRegular` (opening a pipe would wait
// for a reader, and a device may take bytes for ever); errno then says
// EISDIR for a folder, else EINVAL. Any other failure gives null with the
// system's errno and `*notRegular` false. `notRegular` may be null.
FilePtr OpenRegularForWriting(std::string_view path, bool* notRegular);
// OpenRegularForWriting for a file that one open at a time writes (a log):
// the file is locked until it is closed, and truncated only once locked.
// Null, with `*heldElsewhere` set and the file left as it is, when another
// open (in any process) has it this way. A system that cannot lock lets the
// file be written unlocked. Either pointer may be null.
FilePtr OpenRegularForWritingAlone(std::string_view path, bool* notRegular, bool* heldElsewhere);

// Reads a whole file in binary. Nothing when the file cannot be opened or
// is not a regular file.
std::optional<std::string> ReadBinaryFile(std::string_view path);

// Reads a whole text file as Windows text mode did: a carriage return
// directly before a line feed is dropped, every other byte stays.
std::optional<std::string> ReadTextFile(std::string_view path);

}  // namespace platform
