// The message texts of the zip library, shared by the reading and the writing component.
#pragma once

namespace duebell::zip::msg {

inline constexpr const char* OpenZipFileTitle = "Open a Zip File";
inline constexpr const char* OpenZipFileFilter =
    "Zip Files (*.ZIP)|*.zip|SFX Files (*.EXE)|*.exe|Jar Files (*.JAR)|*.jar|All Files (*.*)|*.*";
inline constexpr const char* CanceledDestDir = "User canceled Set Desination Directory";
inline constexpr const char* IndexOutOfRange = "Index %d is out of range";
inline constexpr const char* UserAborted = "User Aborted Operation";
inline constexpr const char* IncompleteZip = "Incomplete Zip File";
inline constexpr const char* NotAZipFile = "Not a valid zip file!";
inline constexpr const char* InsertDisk = "Please insert disk ";
inline constexpr const char* OfMultiDiskSet = " of the multi-disk set.";
inline constexpr const char* CanceledZipName = "User canceled setting zip file name.";
inline constexpr const char* CanceledNextDisk = "User canceled loading new disk.";
inline constexpr const char* CanceledZip = "User canceled Zip operation";
inline constexpr const char* InflateOutOfMemory = "*** inflate out of memory ***";
inline constexpr const char* PrematureEnd = "Premature end of file reached";
inline constexpr const char* ReplaceExistingFile = "Replace existing file ";
inline constexpr const char* FileExistsAlert = "File Exists Alert";
inline constexpr const char* UnknownMethod = "Unknown Compression Method";
inline constexpr const char* ZipError = "Zip Error";
inline constexpr const char* BiggerThanUncompressed = "File is larger than uncompressed size!";
inline constexpr const char* SmallerThanUncompressed = "File is smaller than uncompressed size!";
// Followed by the two entries' names, each in double quotes, joined by " and ".
inline constexpr const char* OverlappedEntries = "Zip file has overlapped entries: ";
inline constexpr const char* CouldNotCopy = "Could not copy from ";
inline constexpr const char* Error = "Error";
inline constexpr const char* NotEnoughRoom = "Not enough room to write archive";
inline constexpr const char* CantWriteUCF = "Cant write uncompressed file";
inline constexpr const char* CantCreateZfc = "Unable to create Zip Configuration File to disk";
inline constexpr const char* CantSaveZfc = "Unable to save Zip Configuration File to disk";

} // namespace duebell::zip::msg
