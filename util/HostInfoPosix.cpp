// The user, the machine and its names, from the account database, the kernel's host name, the
// resolver and the machine identifier of the init system.

#include "platform/Errors.h"
#include "platform/Format.h"
#include "util/AccountPosix.h"
#include "util/OSErrorPosix.h"
#include "util/Utilities.h"

#include <arpa/inet.h>
#include <array>
#include <cctype>
#include <cerrno>
#include <fstream>
#include <memory>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {

// The code and text of a failed resolver call; EAI_SYSTEM defers to errno.
struct TResolverError {
    int Code;
    std::string Text;
};

TResolverError ResolverError(int AResult, int AErrno) {
    if (AResult == EAI_SYSTEM)
        return {AErrno, SystemErrorText(AErrno)};
    return {AResult, gai_strerror(AResult)};
}

// The identifier written by the init system on the first boot: 32 hexadecimal digits and a line
// end. Anything else ("uninitialized" during the first boot, an empty or damaged file) is no
// identifier.
std::string MachineIdOfFile(const char* APath) {
    std::ifstream file(APath, std::ios::binary);
    if (!file)
        return {};
    std::array<char, 64> buffer{};
    file.read(buffer.data(), buffer.size());
    std::string text(buffer.data(), static_cast<size_t>(file.gcount()));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (text.size() != 32)
        return {};
    for (char& c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c)) == 0)
            return {};
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

} // namespace

std::string TUtilities::GetLoggedInUserName() {
    return UserNameOfUid(geteuid());
}

std::string TUtilities::GetLoggedInDomain() {
    // The account is looked up first so that a user without an entry raises, as for GetSID.
    UserNameOfUid(geteuid());
    return GetLocalMachineName();
}

std::string TUtilities::GetLocalMachineName() {
    // The counterpart of the NetBIOS name is the host name without any domain part; a host name
    // configured as a full DNS name gives its first label. It is returned whole: Linux keeps
    // host names of up to 64 characters, which no fixed buffer here cuts. uname does not fail on
    // Linux; should it, the result is empty as for every other failure of this function.
    utsname names{};
    if (uname(&names) != 0)
        return {};
    std::string name = names.nodename;
    if (const size_t dot = name.find('.'); dot != std::string::npos)
        name.erase(dot);
    return name;
}

std::string TUtilities::GetFQDN() {
    utsname names{};
    if (uname(&names) != 0) {
        const int error = errno;
        throw Exception(Format("GetComputerNameEx failed with error code %d: %s",
                               {error, SystemErrorText(error)}));
    }
    // The canonical name the resolver gives for the host name, as "hostname --fqdn" shows it: the
    // first name of the host's line in /etc/hosts, or the name DNS returns.
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_CANONNAME;
    addrinfo* found = nullptr;
    const int result = getaddrinfo(names.nodename, nullptr, &hints, &found);
    const int error = errno;
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> list(found, &freeaddrinfo);
    if (result != 0) {
        const TResolverError failure = ResolverError(result, error);
        throw Exception(Format("GetComputerNameEx failed with error code %d: %s",
                               {failure.Code, failure.Text}));
    }
    if (list == nullptr || list->ai_canonname == nullptr)
        return names.nodename;
    return list->ai_canonname;
}

std::string TUtilities::GetFullyQualifiedDomainName(const std::string& AIPAddress) {
    // The address is read in the forms inet_addr accepts (dotted decimal, octal, hexadecimal,
    // fewer than four parts). Text that is no address is refused here: looking it up as the
    // broadcast address 255.255.255.255 would answer with that address's name, if any.
    in_addr address{};
    if (AIPAddress.find('\0') != std::string::npos || inet_aton(AIPAddress.c_str(), &address) == 0)
        throw EArgumentException(Format("'%s' is not a valid IPv4 address", {AIPAddress}));

    sockaddr_in socketAddress{};
    socketAddress.sin_family = AF_INET;
    socketAddress.sin_addr = address;
    // The sockets library needs no start-up here, so the start-up errors of other platforms
    // cannot occur. No service name is asked for: the port of the address means nothing.
    std::array<char, NI_MAXHOST> host{};
    const int result =
        getnameinfo(reinterpret_cast<const sockaddr*>(&socketAddress), sizeof socketAddress,
                    host.data(), host.size(), nullptr, 0, NI_NAMEREQD);
    const int error = errno;
    if (result != 0) {
        const TResolverError failure = ResolverError(result, error);
        throw Exception(
            Format("getnameinfo returned erro code %d: %s.", {failure.Code, failure.Text}));
    }
    return host.data();
}

std::string TUtilities::GetMachineGUID() {
    // systemd and D-Bus keep the same identifier; the D-Bus file is the older place and is read
    // where the first is missing or not yet written. The GUID form is that of the identifier of
    // other platforms: 8-4-4-4-12 lower-case hexadecimal digits, no braces.
    for (const char* path : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
        const std::string id = MachineIdOfFile(path);
        if (!id.empty())
            return id.substr(0, 8) + '-' + id.substr(8, 4) + '-' + id.substr(12, 4) + '-' +
                   id.substr(16, 4) + '-' + id.substr(20);
    }
    return {};
}
