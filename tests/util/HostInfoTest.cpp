#include "platform/Errors.h"
#include "support/IsolatedProcess.h"
#include "util/Utilities.h"

#include <fstream>
#include <gtest/gtest.h>
#include <pwd.h>
#include <set>
#include <sstream>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace {

// Inside an isolated child: /etc holds only the given files, with look-ups from files alone.
void ReplaceEtc(const std::string& AHosts, const std::string& APasswd) {
    UseIsolatedNameServices();
    WriteIsolatedFile("/etc/hosts", AHosts);
    WriteIsolatedFile("/etc/passwd", APasswd);
}

const char kHosts[] = "127.0.0.1\tlocalhost\n"
                      "127.0.1.1\tkorvexhost.example.org korvexhost\n"
                      "127.0.0.5 named.example.org named # a comment\n"
                      "::1 localhost ip6-localhost ip6-loopback\n";
const char kPasswd[] = "root:x:0:0:root:/root:/bin/sh\n"
                       "alice:x:4242:4242::/home/alice:/bin/sh\n";

template <typename F> std::string ExceptionText(F AFunction) {
    try {
        return "returned " + AFunction();
    } catch (const EOSError& e) {
        return "EOSError " + std::to_string(e.ErrorCode()) + ": " + e.what();
    } catch (const EArgumentException& e) {
        return std::string("EArgumentException: ") + e.what();
    } catch (const Exception& e) {
        return std::string("Exception: ") + e.what();
    }
}

// Test machines may run the tests as a user ID without an account entry (containers do).
TEST(LoggedInUser, IsTheEffectiveUserOfThisProcess) {
    const passwd* entry = getpwuid(geteuid());
    if (entry == nullptr) {
        EXPECT_THROW(TUtilities::GetLoggedInUserName(), EOSError);
        EXPECT_THROW(TUtilities::GetLoggedInDomain(), EOSError);
        return;
    }
    EXPECT_EQ(TUtilities::GetLoggedInUserName(), entry->pw_name);
    EXPECT_EQ(TUtilities::GetLoggedInDomain(), TUtilities::GetLocalMachineName());
}

TEST(LoggedInUser, FollowsTheEffectiveUserAndRaisesWithoutAnAccountEntry) {
    const std::string longName(120, 'n');
    const auto result = RunIsolated([&] {
        ReplaceEtc(kHosts, std::string(kPasswd) + longName + ":x:4343:4343::/:/bin/sh\n");
        SetIsolatedHostName("korvexhost");
        std::string text;
        for (const uid_t uid : {4242, 4343, 4444}) {
            SetIsolatedEffectiveUser(uid);
            text += ExceptionText([] { return TUtilities::GetLoggedInUserName(); }) + "|" +
                    ExceptionText([] { return TUtilities::GetLoggedInDomain(); }) + "\n";
            SetIsolatedEffectiveUser(0);
        }
        return text;
    });
    if (!result)
        GTEST_SKIP() << kNoNamespaces;
    const std::string noEntry = "EOSError 2: The user ID 4444 has no entry in the account database";
    EXPECT_EQ(*result, "returned alice|returned korvexhost\n"
                       "returned " +
                           longName + "|returned korvexhost\n" + noEntry + "|" + noEntry + "\n");
}

TEST(LocalMachineName, IsTheHostNameUpToItsFirstDot) {
    struct Case {
        std::string hostName;
        std::string expected;
    };
    const Case cases[] = {
        {"korvexhost", "korvexhost"},
        {"web01.corp.example", "web01"},
        {"Mixed-Case", "Mixed-Case"},
        {std::string(64, 'h'), std::string(64, 'h')}, // the longest host name Linux keeps
    };
    for (const Case& c : cases) {
        const auto result = RunIsolated([&] {
            SetIsolatedHostName(c.hostName);
            return TUtilities::GetLocalMachineName();
        });
        if (!result)
            GTEST_SKIP() << kNoNamespaces;
        EXPECT_EQ(*result, c.expected) << c.hostName;
    }
}

TEST(LocalMachineName, MatchesTheKernelsHostName) {
    utsname names{};
    ASSERT_EQ(uname(&names), 0);
    const std::string hostName = names.nodename;
    EXPECT_EQ(TUtilities::GetLocalMachineName(), hostName.substr(0, hostName.find('.')));
}

TEST(FQDN, IsTheCanonicalNameOfTheHostName) {
    struct Case {
        const char* hostName;
        const char* expected;
    };
    const Case cases[] = {
        {"korvexhost", "returned korvexhost.example.org"},
        {"korvexhost.example.org", "returned korvexhost.example.org"},
        {"localhost", "returned localhost"},
        {"unlisted", "Exception: GetComputerNameEx failed with error code -2: "
                     "Name or service not known"},
    };
    for (const Case& c : cases) {
        const auto result = RunIsolated([&] {
            ReplaceEtc(kHosts, kPasswd);
            SetIsolatedHostName(c.hostName);
            return ExceptionText([] { return TUtilities::GetFQDN(); });
        });
        if (!result)
            GTEST_SKIP() << kNoNamespaces;
        EXPECT_EQ(*result, c.expected) << c.hostName;
    }
}

TEST(FullyQualifiedDomainName, LooksUpTheNameOfAnAddress) {
    struct Case {
        const char* address;
        const char* expected;
    };
    const Case cases[] = {
        {"127.0.0.1", "returned localhost"},
        {"127.0.1.1", "returned korvexhost.example.org"},
        {"127.0.0.5", "returned named.example.org"},
        {"127.1", "returned localhost"}, // the short forms inet_addr reads
        {"0x7f.0.0.05", "returned named.example.org"},
        {"127.0.0.2", "Exception: getnameinfo returned erro code -2: Name or service not known."},
        {"255.255.255.255",
         "Exception: getnameinfo returned erro code -2: Name or service not known."},
        {"", "EArgumentException: '' is not a valid IPv4 address"},
        {"localhost", "EArgumentException: 'localhost' is not a valid IPv4 address"},
        {"127.0.0.256", "EArgumentException: '127.0.0.256' is not a valid IPv4 address"},
        {"1.2.3.4.5", "EArgumentException: '1.2.3.4.5' is not a valid IPv4 address"},
        {"::1", "EArgumentException: '::1' is not a valid IPv4 address"},
    };
    const auto result = RunIsolated([&] {
        ReplaceEtc(kHosts, kPasswd);
        std::string text;
        for (const Case& c : cases)
            text +=
                ExceptionText([&] { return TUtilities::GetFullyQualifiedDomainName(c.address); }) +
                "\n";
        return text;
    });
    if (!result)
        GTEST_SKIP() << kNoNamespaces;
    std::istringstream lines(*result);
    for (const Case& c : cases) {
        std::string line;
        std::getline(lines, line);
        EXPECT_EQ(line, c.expected) << c.address;
    }
}

TEST(FullyQualifiedDomainName, RefusesTextWithAZeroCharacter) {
    EXPECT_THROW(TUtilities::GetFullyQualifiedDomainName(std::string("127.0.0.1\0x", 11)),
                 EArgumentException);
}

// The names /etc/hosts gives first for an address: the answers of a reverse look-up from it.
std::set<std::string> CanonicalNamesInHosts(const std::string& AAddress) {
    std::set<std::string> names;
    std::ifstream hosts("/etc/hosts");
    std::string line;
    while (std::getline(hosts, line)) {
        std::istringstream fields(line.substr(0, line.find('#')));
        std::string address;
        std::string name;
        if (fields >> address >> name && address == AAddress)
            names.insert(name);
    }
    return names;
}

// The sources of this machine's host database in the order they are asked ("files", "dns", ...),
// without their action items; empty when none is configured.
std::vector<std::string> HostDatabaseSources() {
    std::ifstream config("/etc/nsswitch.conf");
    std::string line;
    while (std::getline(config, line)) {
        std::istringstream fields(line.substr(0, line.find('#')));
        std::string database;
        if (!(fields >> database) || database != "hosts:")
            continue;
        std::vector<std::string> sources;
        bool inAction = false;
        for (std::string field; fields >> field;) {
            if (field.front() == '[')
                inAction = true;
            if (!inAction)
                sources.push_back(field);
            if (field.back() == ']')
                inAction = false;
        }
        return sources;
    }
    return {};
}

// The machine's own /etc/hosts, whatever it holds: loopback only, no network needed. What the
// machine answers depends on its host database, so the test needs /etc/hosts asked first and,
// for an address without a name, no other source than the DNS after it: modules such as the one
// naming the local host answer for every loopback address.
TEST(FullyQualifiedDomainName, AnswersFromThisMachinesHostsFile) {
    const std::vector<std::string> sources = HostDatabaseSources();
    if (sources.empty() || sources.front() != "files")
        GTEST_SKIP() << "this machine's host database does not ask /etc/hosts first";
    const std::set<std::string> loopbackNames = CanonicalNamesInHosts("127.0.0.1");
    if (loopbackNames.empty())
        GTEST_SKIP() << "/etc/hosts names no host for 127.0.0.1";
    EXPECT_EQ(loopbackNames.count(TUtilities::GetFullyQualifiedDomainName("127.0.0.1")), 1u);

    for (const std::string& source : sources)
        if (source != "files" && source != "dns")
            GTEST_SKIP() << "this machine's host database also asks \"" << source << '"';

    std::string unnamed;
    for (int last = 2; last < 255 && unnamed.empty(); ++last)
        if (const std::string address = "127.83.119." + std::to_string(last);
            CanonicalNamesInHosts(address).empty())
            unnamed = address;
    try {
        const std::string name = TUtilities::GetFullyQualifiedDomainName(unnamed);
        ADD_FAILURE() << unnamed << " has the name " << name;
    } catch (const Exception& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("getnameinfo returned erro code -", 0), 0u) << message;
        EXPECT_EQ(message.back(), '.');
    }
}

TEST(MachineGUID, IsTheMachineIdentifierInGuidForm) {
    struct Case {
        const char* name;
        const char* etcMachineId;  // nullptr: no file
        const char* dbusMachineId; // nullptr: no file
        const char* expected;
    };
    const Case cases[] = {
        {"Written", "3d1219c7c4c5404aaa1f6d2a48adfda4\n", nullptr,
         "3d1219c7-c4c5-404a-aa1f-6d2a48adfda4"},
        {"NoLineEnd", "3d1219c7c4c5404aaa1f6d2a48adfda4", nullptr,
         "3d1219c7-c4c5-404a-aa1f-6d2a48adfda4"},
        {"UpperCase", "3D1219C7C4C5404AAA1F6D2A48ADFDA4\n", nullptr,
         "3d1219c7-c4c5-404a-aa1f-6d2a48adfda4"},
        {"FirstBootFallsBackToDBus", "uninitialized\n", "00112233445566778899aabbccddeeff\n",
         "00112233-4455-6677-8899-aabbccddeeff"},
        {"OnlyDBus", nullptr, "00112233445566778899aabbccddeeff\n",
         "00112233-4455-6677-8899-aabbccddeeff"},
        {"SystemdFirst", "3d1219c7c4c5404aaa1f6d2a48adfda4\n", "00112233445566778899aabbccddeeff\n",
         "3d1219c7-c4c5-404a-aa1f-6d2a48adfda4"},
        {"None", nullptr, nullptr, ""},
        {"Empty", "", nullptr, ""},
        {"TooShort", "3d1219c7c4c5404aaa1f6d2a48adfda\n", nullptr, ""},
        {"TooLong", "3d1219c7c4c5404aaa1f6d2a48adfda44\n", nullptr, ""},
        {"NotHex", "3d1219c7c4c5404aaa1f6d2a48adfdag\n", nullptr, ""},
        {"Hyphenated", "3d1219c7-c4c5-404a-aa1f-6d2a48adfda4\n", nullptr, ""},
    };
    for (const Case& c : cases) {
        const auto result = RunIsolated([&] {
            MountEmptyFolder("/etc");
            MountEmptyFolder("/var/lib");
            if (c.etcMachineId != nullptr)
                WriteIsolatedFile("/etc/machine-id", c.etcMachineId);
            if (c.dbusMachineId != nullptr) {
                mkdir("/var/lib/dbus", 0755);
                WriteIsolatedFile("/var/lib/dbus/machine-id", c.dbusMachineId);
            }
            return TUtilities::GetMachineGUID();
        });
        if (!result)
            GTEST_SKIP() << kNoNamespaces;
        EXPECT_EQ(*result, c.expected) << c.name;
    }
}

} // namespace
