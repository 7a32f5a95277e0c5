// The program folder, system path literals, and the file and path functions.
//
// File names are POSIX paths held as String; they reach the file system as UTF-8. The
// system writes its paths as the program folder followed by a literal with backslashes,
// such as ProgramFolder() + u"\\projekte\\projekte.txt"; SystemPath or ProgramPath turn
// such a path into a POSIX one before it goes to the functions here.
#pragma once

#include "platform/rtl/Types.h"

constexpr Char PathDelim = u'/';

// The folder of the executable (/proc/self/exe) with a trailing "/". A non-empty
// environment variable WENDREL_HOME names another folder instead.
String ProgramFolder();

// A path written the system's way as a POSIX path: every "\" becomes "/", and a run of
// separators (as where the folder meets a literal) becomes one.
String SystemPath(const String& path);
// SystemPath(ProgramFolder() + literal), e.g. ProgramPath(u"\\config\\limits.txt").
String ProgramPath(const String& literal);

// True for an existing entry that is not a folder (symbolic links are followed).
bool FileExists(const String& fileName);
bool DirectoryExists(const String& directory);
// Creates one folder whose parent exists; false when that fails or it exists already.
bool CreateDir(const String& directory);
// Creates a folder and every missing parent; true when the folder exists afterwards. An
// empty name raises EInOutError "Verzeichnis kann nicht erstellt werden".
bool ForceDirectories(const String& directory);
// Like ForceDirectories, but a folder that cannot be created raises EInOutError
// "Verzeichnis <name> kann nicht erstellt werden. <reason>", the reason being the one the
// system gave (e.g. "Zugriff verweigert.").
void RequireDirectories(const String& directory);
// Deletes a file (not a folder); false when that fails.
bool DeleteFile(const String& fileName);
// Renames or moves a file or folder; false when that fails.
bool RenameFile(const String& oldName, const String& newName);

// Everything up to and including the last "/" ("" when there is none).
String ExtractFilePath(const String& fileName);
// Everything after the last "/".
String ExtractFileName(const String& fileName);
// The extension with its dot, or "" when the name part has no dot.
String ExtractFileExt(const String& fileName);
// The name with its extension replaced by (or, without one, followed by) extension.
String ChangeFileExt(const String& fileName, const String& extension);
// The absolute path: relative names start from the current folder; "." and ".." parts
// are resolved by text, without following links. "" stays "".
String ExpandFileName(const String& fileName);
// The path with a "/" at its end.
String IncludeTrailingPathDelimiter(const String& path);
