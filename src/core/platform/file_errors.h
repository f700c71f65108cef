#pragma once

// File error codes as the program reports them (the codes of the file-error message table),
// derived from this platform's errno values, and the existence test that start-up uses.

#include <string>

namespace quorvel {

namespace FileError {
inline constexpr int kNone = 0;
inline constexpr int kFileNotFound = 2;
inline constexpr int kPathNotFound = 3;
inline constexpr int kTooManyOpenFiles = 4;
inline constexpr int kAccessDenied = 5;
inline constexpr int kOutOfMemory = 8;
inline constexpr int kBadEnvironment = 10;
inline constexpr int kBadFormat = 11;
inline constexpr int kInvalidAccess = 12;
inline constexpr int kCurrentDirectory = 16;
inline constexpr int kWriteProtected = 19;
inline constexpr int kNotDosDisk = 26;
inline constexpr int kWriteFault = 29;
inline constexpr int kReadFault = 30;
inline constexpr int kGeneralFailure = 31; // no row of its own: "any other"
} // namespace FileError

// Maps an errno value of a failed open or test of `path` to a file error code. A missing file
// whose folder exists is 2; a missing folder on the way is 3.
int fileErrorFromErrno(int err, const std::string& path);

// The message of the file-error table for a code (the two texts of row 2 and row 3 are joined
// without anything between them).
std::string FileErrorMessage(int code);

// What an existence test found: the file is there, or the file error code that says why not.
struct [[nodiscard]] FileTest
{
    int fileError = FileError::kNone;

    bool exists() const { return fileError == FileError::kNone; }
    // Not there, in a folder that is: the one failure a caller may answer by making the file.
    bool notFound() const { return fileError == FileError::kFileNotFound; }
    // Not there, or not even its folder.
    bool missing() const
    {
        return fileError == FileError::kFileNotFound || fileError == FileError::kPathNotFound;
    }
};

// Tests whether a regular file exists and can be opened for reading.
FileTest testFileExists(const std::string& path);

} // namespace quorvel
