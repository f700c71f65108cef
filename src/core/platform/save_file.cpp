#include "save_file.h"

#include "file.h"
#include "file_errors.h"
#include "file_faults.h"

#include <QFile>
#include <QSaveFile>
#include <cerrno>

namespace quorvel {

namespace {

int errorFromQt(QFileDevice::FileError error, const std::string& path)
{
    switch (error) {
    case QFileDevice::NoError:
        return FileError::kNone;
    case QFileDevice::OpenError:
        return fileErrorFromErrno(errno ? errno : ENOENT, path);
    case QFileDevice::PermissionsError:
        return FileError::kAccessDenied;
    case QFileDevice::ReadError:
        return FileError::kReadFault;
    case QFileDevice::ResourceError:
    case QFileDevice::WriteError:
        return FileError::kWriteFault;
    default:
        return FileError::kGeneralFailure;
    }
}

} // namespace

int saveWholeFile(const std::string& path, const void* data, std::size_t size)
{
    if (FileFaults::shouldFail(FileOp::Open))
        return FileError::kWriteFault;
    QSaveFile file(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return errorFromQt(file.error(), path);
    const bool injected = FileFaults::shouldFail(FileOp::Write);
    const qint64 written
        = injected ? -1 : file.write(static_cast<const char*>(data), static_cast<qint64>(size));
    if (written != static_cast<qint64>(size)) {
        file.cancelWriting();
        return FileError::kWriteFault;
    }
    if (!file.commit())
        return errorFromQt(
            file.error() == QFileDevice::NoError ? QFileDevice::WriteError : file.error(), path);
    return FileError::kNone;
}

bool readWholeFile(const std::string& path, std::string& out, int* fileError)
{
    int err = 0;
    auto file = File::open(path, OpenMode::ReadOnly, &err);
    if (!file) {
        if (fileError)
            *fileError = err;
        return false;
    }
    out.resize(static_cast<std::size_t>(file->size()));
    const std::size_t got = out.empty() ? 0 : file->read(out.data(), out.size());
    if (got != out.size()) {
        if (fileError)
            *fileError = FileError::kReadFault;
        return false;
    }
    if (fileError)
        *fileError = 0;
    return true;
}

} // namespace quorvel
