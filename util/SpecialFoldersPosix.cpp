// The special folders on Linux and other POSIX systems: the XDG base directories for the user's
// folders, the XDG documents folder, and /var/lib for data shared by all users.

#include "util/FileHandlePosix.h"
#include "util/SpecialFolders.h"
#include "util/Utilities.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <pwd.h>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

bool IsAbsolute(std::string_view APath) {
    return !APath.empty() && APath.front() == '/';
}

// ABase and ATail joined by one "/".
std::string JoinPath(const std::string& ABase, std::string_view ATail) {
    std::string path = ABase;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += ATail;
    return path;
}

// The user's home folder: $HOME, else the password database's entry; the empty text when
// neither gives an absolute path.
std::string HomeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && IsAbsolute(home))
        return home;

    const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(suggested > 0 ? static_cast<std::size_t>(suggested) : 4096);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int error = ::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found);
        if (error == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (error == 0 && found != nullptr && found->pw_dir != nullptr && IsAbsolute(found->pw_dir))
            return found->pw_dir;
        return {};
    }
}

// An XDG base directory: the variable's value when it is an absolute path (a relative one is
// invalid and ignored), otherwise AHomeTail inside the home folder.
std::string XdgBaseFolder(const char* AVariable, std::string_view AHomeTail) {
    const char* value = std::getenv(AVariable);
    if (value != nullptr && IsAbsolute(value))
        return value;
    const std::string home = HomeFolder();
    return home.empty() ? std::string() : JoinPath(home, AHomeTail);
}

void SkipBlanks(std::string_view& AText) {
    while (!AText.empty() && (AText.front() == ' ' || AText.front() == '\t'))
        AText.remove_prefix(1);
}

// The documents folder a line of user-dirs.dirs assigns, of the form
//   XDG_DOCUMENTS_DIR="$HOME/folder"   or   XDG_DOCUMENTS_DIR="/absolute/folder"
// with "\" escaping the next character; nothing for any other line.
std::optional<std::string> DocumentsAssignment(std::string_view ALine, const std::string& AHome) {
    static constexpr std::string_view Name = "XDG_DOCUMENTS_DIR";
    SkipBlanks(ALine);
    if (!ALine.starts_with(Name))
        return std::nullopt;
    ALine.remove_prefix(Name.size());
    SkipBlanks(ALine);
    if (!ALine.starts_with('='))
        return std::nullopt;
    ALine.remove_prefix(1);
    SkipBlanks(ALine);
    if (!ALine.starts_with('"'))
        return std::nullopt;
    ALine.remove_prefix(1);

    std::string path;
    if (ALine.starts_with("$HOME")) {
        ALine.remove_prefix(5);
        if (AHome.empty() || !(ALine.starts_with('/') || ALine.starts_with('"')))
            return std::nullopt;
        path = AHome;
        while (!path.empty() && path.back() == '/')
            path.pop_back(); // the home folder "/" becomes "", before "/folder" is appended
    } else if (!ALine.starts_with('/')) {
        return std::nullopt; // relative paths are not allowed
    }
    for (std::size_t i = 0; i < ALine.size(); ++i) {
        char c = ALine[i];
        if (c == '"')
            return path.empty() ? std::string("/") : path; // "$HOME" alone: the home folder
        if (c == '\\' && i + 1 < ALine.size())
            c = ALine[++i];
        path += c;
    }
    return std::nullopt; // no closing quote
}

// The XDG documents folder from user-dirs.dirs (its last assignment counts, as when the shell
// reads the file), else "Documents" in the home folder.
std::string DocumentsFolder() {
    const std::string home = HomeFolder();
    const std::string configHome = XdgBaseFolder("XDG_CONFIG_HOME", ".config");
    std::optional<std::string> assigned;
    if (!configHome.empty()) {
        // Followed when it is a link: dotfile managers link such files into place.
        const TReadResult file = ReadSmallFile(AT_FDCWD, JoinPath(configHome, "user-dirs.dirs"),
                                               64 * 1024, TLastLink::Follow);
        std::string_view rest = file.Content;
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            const std::string_view line = rest.substr(0, end);
            rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
            if (std::optional<std::string> path = DocumentsAssignment(line, home))
                assigned = std::move(path);
        }
    }
    if (assigned)
        return *assigned;
    return home.empty() ? std::string() : JoinPath(home, "Documents");
}

} // namespace

std::string SpecialFolders::WithoutTrailingDelimiter(std::string APath) {
    while (APath.size() > 1 && APath.back() == '/')
        APath.pop_back();
    return APath;
}

std::string TUtilities::SpecialFolderPath(int32_t ACSIDL) {
    switch (ACSIDL) {
    case SpecialFolders::Personal:
        return DocumentsFolder();
    case SpecialFolders::AppData:
        return XdgBaseFolder("XDG_CONFIG_HOME", ".config");
    case SpecialFolders::LocalAppData:
        return XdgBaseFolder("XDG_DATA_HOME", ".local/share");
    case SpecialFolders::CommonAppData:
        return "/var/lib";
    default:
        return {};
    }
}
