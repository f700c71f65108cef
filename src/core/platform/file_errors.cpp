#include "file_errors.h"

#include "file.h"
#include "strings/strings.h"

#include <cerrno>
#include <sys/stat.h>

namespace quorvel {

namespace {

bool parentFolderExists(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return true; // relative to the current folder, which exists
    const std::string parent = slash == 0 ? std::string("/") : path.substr(0, slash);
    struct stat st
    { };
    return ::stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

int fileErrorFromErrno(int err, const std::string& path)
{
    switch (err) {
    case 0:
        return FileError::kNone;
    case ENOENT:
        return parentFolderExists(path) ? FileError::kFileNotFound : FileError::kPathNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return FileError::kPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
    case ETXTBSY:
        return FileError::kAccessDenied;
    case EMFILE:
    case ENFILE:
        return FileError::kTooManyOpenFiles;
    case ENOMEM:
        return FileError::kOutOfMemory;
    case EROFS:
        return FileError::kWriteProtected;
    case EIO:
        return FileError::kReadFault;
    case ENOSPC:
    case EDQUOT:
        return FileError::kWriteFault;
    case EINVAL:
        return FileError::kInvalidAccess;
    default:
        return FileError::kGeneralFailure;
    }
}

std::string FileErrorMessage(int code)
{
    using namespace strings;
    switch (code) {
    case FileError::kFileNotFound:
        return std::string(kFileNotFound) + kPleaseCheckFiles;
    case FileError::kPathNotFound:
        return std::string(kPathNotFound) + kPleaseCheckDirectory;
    case FileError::kTooManyOpenFiles:
        return kTooManyOpenFiles;
    case FileError::kAccessDenied:
        return kAccessDenied;
    case FileError::kOutOfMemory:
        return kOutOfMemory;
    case FileError::kBadEnvironment:
        return kBadEnvironment;
    case FileError::kBadFormat:
        return kBadFormat;
    case FileError::kInvalidAccess:
        return kInvalidAccess;
    case FileError::kCurrentDirectory:
        return kBadCurrentDirectory;
    case FileError::kWriteProtected:
        return kWriteProtectError;
    case FileError::kNotDosDisk:
        return kNotDosDisk;
    case FileError::kWriteFault:
        return kWriteFault;
    case FileError::kReadFault:
        return kReadFault;
    default:
        return kUnableToFindFiles;
    }
}

FileTest testFileExists(const std::string& path)
{
    int error = FileError::kNone;
    if (!File::open(path, OpenMode::ReadOnly, &error))
        return { error != FileError::kNone ? error : FileError::kGeneralFailure };
    return {};
}

} // namespace quorvel
