// Small file-system and text helpers of the zip library.
#pragma once

#include "zip/zipcallbacks.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace duebell::zip {

// Creates the folder with every missing parent; true when it exists afterwards.
bool ForceDirs(const std::string& folder);
bool FileExists(const std::string& fileName);
bool DirExists(const std::string& folder);
// Gives Source the name Dest in one step, replacing an existing Dest; false when the two
// are on different file systems or the rename fails (Dest is then untouched).
bool MoveFileWithBackup(const std::string& source, const std::string& dest);
// Moves when it can, else copies the content into a new Dest (written beside it and renamed
// into place); a failed copy is shown as "Could not copy from <source> -> <dest>".
bool CopyFileTo(const std::string& source, const std::string& dest, TZipCallbacks& callbacks);
// Creates a new empty file with a unique name in the folder and returns its name; raises
// EFCreateError when none can be created.
std::string TempFileName(const std::string& folder);

// The folder part of a path, with its trailing "/" ("" for a bare name).
std::string ExtractFilePath(const std::string& path);
std::string ExtractFileName(const std::string& path);
// The path with its extension (from the last "." of the name) replaced; ext includes the ".".
std::string ChangeFileExt(const std::string& path, const std::string& ext);

// The current folder: the file system is one tree, so there is no drive to name. Empty when it
// cannot be told (it was removed).
std::string CurrentDir();

bool HasWildcards(std::string_view text);
std::string DosToUnixFilename(std::string name);
std::string UnixToDosFilename(std::string name);
// The last or first n characters of s (UTF-8 characters, never cut in half); all of s when it
// is shorter, nothing when n < 1.
std::string RightStr(std::string_view s, int n);
std::string LeftStr(std::string_view s, int n);
// Part x 100 / Whole rounded to the nearest whole number (ties to even), at most 100;
// 0 when Whole <= 0.
std::int64_t Percentage(std::int64_t part, std::int64_t whole);

} // namespace duebell::zip
