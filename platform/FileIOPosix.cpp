#include "platform/Errors.h"
#include "platform/FileIO.h"
#include "platform/Format.h"
#include "platform/LargePages.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

std::string OSReason(int AErrorCode) {
    return std::generic_category().message(AErrorCode);
}

[[noreturn]] void RaiseFileError(std::string_view AWhat, const std::string& APath, int AErrorCode) {
    throw EFileError(Format("Cannot %s \"%s\": %s", {AWhat, APath, OSReason(AErrorCode)}));
}

// A file descriptor that is closed when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int AHandle) noexcept : FHandle(AHandle) {}
    ~FileHandle() {
        if (FHandle >= 0)
            ::close(FHandle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    int Get() const noexcept { return FHandle; }
    // Closes now and returns 0 or the error code, which a write needs to know about.
    int Close() noexcept {
        const int result = ::close(FHandle);
        FHandle = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int FHandle;
};

// Removes a file when it goes out of scope unless Keep() was called.
class FileRemover {
public:
    explicit FileRemover(std::string APath) : FPath(std::move(APath)) {}
    ~FileRemover() {
        if (!FPath.empty())
            ::unlink(FPath.c_str()); // clean-up of a failed write; its error is the one raised
    }
    FileRemover(const FileRemover&) = delete;
    FileRemover& operator=(const FileRemover&) = delete;
    void Keep() noexcept { FPath.clear(); }

private:
    std::string FPath;
};

int WriteAll(int AHandle, std::string_view ABytes) noexcept {
    while (!ABytes.empty()) {
        const ssize_t written = ::write(AHandle, ABytes.data(), ABytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        ABytes.remove_prefix(static_cast<size_t>(written));
    }
    return 0;
}

// The file that a write of APath replaces: APath itself, or the target when APath is a link.
std::string ResolveWriteTarget(const std::string& APath) {
    struct stat info {};
    if (::lstat(APath.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return APath;
    char resolved[PATH_MAX];
    if (::realpath(APath.c_str(), resolved) == nullptr)
        return APath; // a dangling link is replaced by the file itself
    return resolved;
}

std::string RandomSuffix() {
    static std::mt19937_64 generator{std::random_device{}()};
    constexpr char kChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 8; ++i)
        suffix += kChars[generator() % (sizeof kChars - 1)];
    return suffix;
}

} // namespace

bool FileExists(const std::string& APath) {
    struct stat info {};
    return ::stat(APath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& APath) {
    struct stat info {};
    return ::stat(APath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string ExtractFileDir(const std::string& APath) {
    const size_t slash = APath.find_last_of('/');
    if (slash == std::string::npos)
        return {};
    return slash == 0 ? "/" : APath.substr(0, slash);
}

std::string ReadFileContents(const std::string& APath) {
    // Not blocking on open, so that a named pipe in the file's place is refused, not waited on.
    const FileHandle file(::open(APath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.Get() < 0)
        RaiseFileError("read file", APath, errno);
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0)
        RaiseFileError("read file", APath, errno);
    if (S_ISDIR(info.st_mode))
        RaiseFileError("read file", APath, EISDIR);
    if (!S_ISREG(info.st_mode))
        throw EFileError(Format("Cannot read file \"%s\": not a regular file", {APath}));
    std::string bytes;
    bytes.reserve(static_cast<size_t>(info.st_size));
    AdviseLargePages(bytes.data(), bytes.capacity());
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + 65536); // the file grew since fstat
        const ssize_t count = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0) {
            if (errno == EINTR)
                continue;
            RaiseFileError("read file", APath, errno);
        }
        if (count == 0)
            break;
        filled += static_cast<size_t>(count);
    }
    bytes.resize(filled);
    return bytes;
}

void ForceDirectories(const std::string& APath) {
    if (APath.empty() || DirectoryExists(APath))
        return;
    // Walk down from the root, creating each missing folder in turn.
    size_t end = APath.find_first_not_of('/');
    while (end != std::string::npos) {
        end = APath.find('/', end);
        const std::string prefix = APath.substr(0, end);
        if (::mkdir(prefix.c_str(), 0777) != 0) {
            const int error = errno;
            // An existing folder is fine, whatever mkdir() said about it; an existing file
            // where a folder must be is reported as such.
            if (!DirectoryExists(prefix))
                RaiseFileError("create folder", APath, error == EEXIST ? ENOTDIR : error);
        }
        if (end != std::string::npos)
            end = APath.find_first_not_of('/', end);
    }
}

void WriteFileAtomically(const std::string& APath, std::string_view ABytes) {
    const std::string target = ResolveWriteTarget(APath);
    const std::string folder = ExtractFileDir(target);
    const std::string name = target.substr(folder.empty() ? 0 : target.find_last_of('/') + 1);
    if (name.empty())
        RaiseFileError("write file", APath, EISDIR);
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode))
        RaiseFileError("write file", APath, EISDIR);
    // A named pipe, socket or device is not ours to replace with a regular file.
    if (replacing && !S_ISREG(old.st_mode))
        throw EFileError(Format("Cannot write file \"%s\": not a regular file", {APath}));
    // The rename needs only the folder's permission; a file that its owner made read-only
    // must stay as it is, as it would if it were overwritten in place.
    if (replacing && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        RaiseFileError("write file", APath, errno);

    const std::string prefix = folder.empty() ? "" : folder == "/" ? "/" : folder + "/";
    // A hidden name beside the target, on the same file system, so that rename() is atomic.
    std::string temporary;
    int handle = -1;
    for (int attempt = 0; handle < 0; ++attempt) {
        temporary = prefix + "." + name + ".tmp-" + RandomSuffix();
        handle = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle < 0 && (errno != EEXIST || attempt == 100))
            RaiseFileError("write file", APath, errno);
    }
    FileHandle file(handle);
    FileRemover remover(temporary);

    if (replacing) {
        if (::fchmod(file.Get(), old.st_mode & 07777) != 0)
            RaiseFileError("write file", APath, errno);
        // Keep the owner too where we may (as root); any other user cannot give a file away,
        // and then the new file is the saving user's, as with every editor that saves safely.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(file.Get(), old.st_uid, old.st_gid) != 0 && errno != EPERM)
            RaiseFileError("write file", APath, errno);
    }
    if (const int error = WriteAll(file.Get(), ABytes))
        RaiseFileError("write file", APath, error);
    if (::fsync(file.Get()) != 0)
        RaiseFileError("write file", APath, errno);
    if (const int error = file.Close())
        RaiseFileError("write file", APath, error);
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        RaiseFileError("write file", APath, errno);
    remover.Keep();

    // Make the rename itself durable. The new file is in place by now, so a folder that cannot
    // be flushed (some file systems do not support it) is no reason to report a failed save.
    const FileHandle directory(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.Get() >= 0)
        ::fsync(directory.Get());
}
