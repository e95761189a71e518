// The per-user settings store on POSIX systems: one file per form (SettingsFile.h) in the folder
// Velmora/SyslogServer of the user's application-data folder ($XDG_CONFIG_HOME or ~/.config).
//
// Readers take no lock and create nothing: a writer replaces a form's file by renaming a
// complete new file over it, so a reader sees the old or the new file, never a mix. Writers
// serialise their read-modify-write on an exclusive lock of the folder's ".lock" file, so two
// programs writing the same form at once both keep their values. A file that cannot be read or
// parsed counts as missing for readers; a writer renames it aside (".damaged-<UTC time>") before
// it writes a fresh one, so nothing the user had is deleted.

#include "util/FileHandlePosix.h"
#include "util/SettingsFile.h"
#include "util/SettingsStore.h"
#include "util/Utilities.h"

#include <cerrno>
#include <chrono>
#include <ctime>
#include <fcntl.h>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace SettingsStore {

namespace {

constexpr const char* LockFileName = ".lock";
constexpr std::chrono::seconds LockWaitLimit(2);

// The store folder; empty when the user's application-data folder is unknown.
std::string StoreFolderPath() {
    const std::string base = TUtilities::AppDataDir();
    if (base.empty() || base.front() != '/')
        return {};
    return (base.back() == '/' ? base : base + '/') + "Velmora/SyslogServer";
}

// Creates the folder and any missing folder above it, each with mode 0700.
bool CreateFolders(const std::string& APath) {
    for (std::size_t end = APath.find('/', 1);; end = APath.find('/', end + 1)) {
        const std::string prefix = APath.substr(0, end);
        if (!prefix.ends_with('/') && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (end == std::string::npos)
            return true;
    }
}

TUniqueFd OpenFolder(const std::string& APath) {
    return TUniqueFd(::open(APath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
}

enum class TFormState { Missing, Valid, Damaged, Unavailable };

struct TLoadedForm {
    TFormState State = TFormState::Missing;
    TFormContent Content;
};

TLoadedForm LoadForm(int AFolder, const std::string& AFileName, const std::string& AFormName) {
    TReadResult file = ReadSmallFile(AFolder, AFileName, MaxFormFileSize, TLastLink::Refuse);
    TLoadedForm loaded;
    switch (file.Outcome) {
    case TReadOutcome::Missing:
        loaded.State = TFormState::Missing;
        return loaded;
    case TReadOutcome::Unavailable:
        loaded.State = TFormState::Unavailable;
        return loaded;
    case TReadOutcome::Refused:
        loaded.State = TFormState::Damaged;
        return loaded;
    case TReadOutcome::Read:
        break;
    }
    std::optional<TFormContent> content = ParseFormFile(file.Content);
    // A file of another form name under this name was copied or renamed here: not ours.
    if (!content || content->FormName != AFormName) {
        loaded.State = TFormState::Damaged;
        return loaded;
    }
    loaded.State = TFormState::Valid;
    loaded.Content = std::move(*content);
    return loaded;
}

// Renames a damaged form file to a name of its own that no other file has.
bool SetAside(int AFolder, const std::string& AFileName) {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    char stamp[32] = "unknown-time";
    if (::gmtime_r(&now, &utc) != nullptr)
        std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    const std::string base = AFileName + ".damaged-" + stamp;
    for (int attempt = 1; attempt <= 1000; ++attempt) {
        const std::string candidate = attempt == 1 ? base : base + "-" + std::to_string(attempt);
        struct stat info {};
        if (::fstatat(AFolder, candidate.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0)
            continue;
        if (errno != ENOENT)
            return false;
        // Writers hold the lock, so no other writer can take the free name meanwhile.
        return ::renameat(AFolder, AFileName.c_str(), AFolder, candidate.c_str()) == 0;
    }
    return false;
}

bool WriteAll(int AFd, std::string_view ABytes) {
    while (!ABytes.empty()) {
        const ssize_t written = ::write(AFd, ABytes.data(), ABytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        ABytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

enum class TReplaceOutcome {
    Replaced,
    NotPermitted, // the folder takes no new file (no write permission, read-only file system)
    Failed,       // writing, flushing or renaming failed (a full disk, an I/O error)
};

bool IsPermissionError(int AError) {
    return AError == EACCES || AError == EPERM || AError == EROFS;
}

// Replaces the file with AContent: writes a new file beside it, flushes it to the disk and
// renames it over the old one, then flushes the folder so that the rename lasts.
TReplaceOutcome ReplaceFile(int AFolder, const std::string& AFileName, std::string_view AContent) {
    // A left-over from a writer that died holding the lock; only lock holders write it.
    const std::string newName = AFileName + ".new";
    if (::unlinkat(AFolder, newName.c_str(), 0) != 0 && errno != ENOENT)
        return IsPermissionError(errno) ? TReplaceOutcome::NotPermitted : TReplaceOutcome::Failed;
    TUniqueFd file(::openat(AFolder, newName.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.IsOpen())
        return IsPermissionError(errno) ? TReplaceOutcome::NotPermitted : TReplaceOutcome::Failed;
    const bool written = WriteAll(file.Get(), AContent) && ::fsync(file.Get()) == 0;
    if (!file.Close() || !written ||
        ::renameat(AFolder, newName.c_str(), AFolder, AFileName.c_str()) != 0) {
        ::unlinkat(AFolder, newName.c_str(), 0); // best effort: the old file is intact anyway
        return TReplaceOutcome::Failed;
    }
    // Some file systems cannot flush a folder at all (EINVAL); the new file is in place then,
    // and reporting the write as failed would make every write to such a store fail.
    if (::fsync(AFolder) == 0 || errno == EINVAL || errno == ENOTSUP)
        return TReplaceOutcome::Replaced;
    return TReplaceOutcome::Failed;
}

// Holds an exclusive lock of the store folder's lock file while it exists; not open when the
// lock cannot be had within LockWaitLimit. Writers hold it for milliseconds, so waiting longer
// means a stopped or hung program holds it, and the user interface must not hang with it.
TUniqueFd LockStore(int AFolder) {
    TUniqueFd lock(
        ::openat(AFolder, LockFileName, O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!lock.IsOpen())
        return lock;
    const auto deadline = std::chrono::steady_clock::now() + LockWaitLimit;
    for (;;) {
        if (::flock(lock.Get(), LOCK_EX | LOCK_NB) == 0)
            return lock;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return TUniqueFd();
        if (std::chrono::steady_clock::now() >= deadline)
            return TUniqueFd();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

std::optional<TValue> ReadValue(const std::string& AFormName, const std::string& AValueName) {
    const std::string folderPath = StoreFolderPath();
    if (folderPath.empty())
        return std::nullopt;
    const TUniqueFd folder = OpenFolder(folderPath);
    if (!folder.IsOpen())
        return std::nullopt;
    const TLoadedForm form = LoadForm(folder.Get(), FormFileName(AFormName), AFormName);
    if (form.State != TFormState::Valid)
        return std::nullopt;
    const TValue* value = form.Content.Find(AValueName);
    return value != nullptr ? std::optional<TValue>(*value) : std::nullopt;
}

bool WriteValue(const std::string& AFormName, const std::string& AValueName, const TValue& AValue) {
    if (AValue.Kind == TValueKind::Other)
        RaiseSetDataFailed(AValueName);
    const std::string folderPath = StoreFolderPath();
    if (folderPath.empty() || !CreateFolders(folderPath))
        return false;
    const TUniqueFd folder = OpenFolder(folderPath);
    if (!folder.IsOpen())
        return false;
    const TUniqueFd lock = LockStore(folder.Get());
    if (!lock.IsOpen())
        return false;

    const std::string fileName = FormFileName(AFormName);
    TLoadedForm form = LoadForm(folder.Get(), fileName, AFormName);
    if (form.State == TFormState::Unavailable)
        return false;
    if (form.State != TFormState::Valid)
        form.Content = TFormContent{AFormName, {}};
    form.Content.Put(AValueName, AValue);
    const std::string text = FormatFormFile(form.Content);
    if (text.size() > MaxFormFileSize)
        RaiseSetDataFailed(AValueName); // nothing has changed yet

    if (form.State == TFormState::Damaged && !SetAside(folder.Get(), fileName))
        return false;
    switch (ReplaceFile(folder.Get(), fileName, text)) {
    case TReplaceOutcome::Replaced:
        return true;
    case TReplaceOutcome::NotPermitted:
        return false; // as a form that cannot be opened for writing
    case TReplaceOutcome::Failed:
        break;
    }
    RaiseSetDataFailed(AValueName);
}

} // namespace SettingsStore
