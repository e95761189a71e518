#include "platform/Errors.h"
#include "support/IsolatedProcess.h"
#include "util/Utilities.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sstream>
#include <streambuf>
#include <unistd.h>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

// Binary SIDs: revision, count, 48-bit big-endian authority, little-endian sub-authorities.
const TBytes kLocalSystem = {1, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};
const TBytes kAdministrators = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0};
const TBytes kDomainAdministrator = {1,    5,    0,    0,    0,    0,    0,    5,    21,   0,
                                     0,    0,    0x15, 0xCD, 0x5B, 0x07, 0x2B, 0x5D, 0x46, 0x3E,
                                     0x0B, 0x75, 0x41, 0x54, 0xF4, 0x01, 0,    0};
const TBytes kAuthority2Pow32 = {1, 1, 0, 1, 0, 0, 0, 0, 7, 0, 0, 0};
const TBytes kAuthorityHexLetters = {1, 0, 0x12, 0xAB, 0xCD, 0xEF, 0x01, 0x02};
const TBytes kAuthorityBelow2Pow32 = {1, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0};
const TBytes kLargestSubAuthority = {1, 1, 0, 0, 0, 0, 0, 5, 0xFF, 0xFF, 0xFF, 0xFF};
const TBytes kNoSubAuthority = {1, 0, 0, 0, 0, 0, 0, 5};
const TBytes kRevision2 = {2, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0};

TBytes WithSubAuthorities(uint8_t ACount, size_t AStored) {
    TBytes sid = {1, ACount, 0, 0, 0, 0, 0, 5};
    for (size_t i = 0; i < AStored; ++i)
        sid.insert(sid.end(), {static_cast<uint8_t>(i + 1), 0, 0, 0});
    return sid;
}

std::string StreamText(const TBytes& ABytes) {
    std::istringstream stream(std::string(ABytes.begin(), ABytes.end()));
    return TUtilities::StreamToSidString(stream);
}

std::string BytesText(const TBytes& ABytes) {
    return TUtilities::BytesToSidString(ABytes, static_cast<int32_t>(ABytes.size()));
}

struct SidCase {
    const char* name;
    const TBytes* bytes;
    const char* sidToStr; // nullptr: SIDToStr refuses the SID
    const char* bytesAndStream;
};

class SidText : public testing::TestWithParam<SidCase> {};

TEST_P(SidText, EachReaderWritesItsForm) {
    const SidCase& c = GetParam();
    if (c.sidToStr != nullptr)
        EXPECT_EQ(TUtilities::SIDToStr(*c.bytes), c.sidToStr);
    else
        EXPECT_THROW(TUtilities::SIDToStr(*c.bytes), Exception);
    EXPECT_EQ(BytesText(*c.bytes), c.bytesAndStream);
    EXPECT_EQ(StreamText(*c.bytes), c.bytesAndStream);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, SidText,
    testing::Values(
        SidCase{"LocalSystem", &kLocalSystem, "S-1-5-18", "S-1-5-18"},
        SidCase{"Administrators", &kAdministrators, "S-1-5-32-544", "S-1-5-32-544"},
        SidCase{"DomainAccount", &kDomainAdministrator,
                "S-1-5-21-123456789-1044798763-1413575947-500",
                "S-1-5-21-123456789-1044798763-1413575947-500"},
        // From 2^32 on, SIDToStr writes the authority in hexadecimal, the others in decimal.
        SidCase{"Authority2Pow32", &kAuthority2Pow32, "S-1-0x000100000000-7", "S-1-4294967296-7"},
        SidCase{"AuthorityHexLetters", &kAuthorityHexLetters, "S-1-0x12ABCDEF0102",
                "S-1-20529103700226"},
        SidCase{"AuthorityBelow2Pow32", &kAuthorityBelow2Pow32, "S-1-4294967295-1",
                "S-1-4294967295-1"},
        SidCase{"LargestSubAuthority", &kLargestSubAuthority, "S-1-5-4294967295",
                "S-1-5-4294967295"},
        SidCase{"NoSubAuthority", &kNoSubAuthority, "S-1-5", "S-1-5"},
        // Only SIDToStr tests validity; the others write the revision they find.
        SidCase{"Revision2", &kRevision2, nullptr, "S-2-5-18"}),
    [](const testing::TestParamInfo<SidCase>& AInfo) { return AInfo.param.name; });

TEST(SIDToStr, RefusesInvalidIdentifiersWithItsMessage) {
    const TBytes cases[] = {
        kRevision2,
        {0, 1, 0, 0, 0, 0, 0, 5, 18, 0, 0, 0},
        WithSubAuthorities(16, 16), // more than 15 sub-authorities
        WithSubAuthorities(2, 1),   // the bytes end inside the identifier
        {1, 0, 0, 0, 0, 0, 0},
        {},
    };
    for (const TBytes& sid : cases) {
        try {
            TUtilities::SIDToStr(sid);
            ADD_FAILURE() << "accepted a SID of " << sid.size() << " bytes";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), "Invalid Security ID Exception");
        }
    }
}

TEST(SIDToStr, AcceptsFifteenSubAuthoritiesAndIgnoresBytesBehind) {
    EXPECT_EQ(TUtilities::SIDToStr(WithSubAuthorities(15, 15)),
              "S-1-5-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15");
    EXPECT_EQ(TUtilities::SIDToStr(WithSubAuthorities(1, 3)), "S-1-5-1");
}

TEST(ByteArrayToSidString, WritesTheAuthorityOfTheFirstSixBytes) {
    const TBytes authority5 = {0, 0, 0, 0, 0, 5};
    EXPECT_EQ(TUtilities::ByteArrayToSidString(authority5, 6), "5");
    // ArrayLength counts only for the test for 0.
    EXPECT_EQ(TUtilities::ByteArrayToSidString(authority5, 1), "5");
    EXPECT_EQ(TUtilities::ByteArrayToSidString(authority5, 0), "");
    EXPECT_EQ(TUtilities::ByteArrayToSidString(TBytes{}, 0), "");
    // A whole SID: revision, count and four authority bytes make up the "authority".
    EXPECT_EQ(TUtilities::ByteArrayToSidString(kLocalSystem, 12), "0x010100000000");
    EXPECT_EQ(TUtilities::ByteArrayToSidString(TBytes{0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, 6),
              "4294967295");
    EXPECT_EQ(TUtilities::ByteArrayToSidString(TBytes{0, 0xAB, 0, 0, 0, 0x0C}, 6),
              "0x00AB0000000C");
}

TEST(BytesToSidString, ArrayLengthLimitsTheSubAuthoritiesByTheirFirstByte) {
    const TBytes sid = kAdministrators;
    struct Case {
        int32_t length;
        const char* expected;
    };
    const Case cases[] = {
        {16, "S-1-5-32-544"}, {13, "S-1-5-32-544"}, {12, "S-1-5-32"}, {9, "S-1-5-32"},
        {8, "S-1-5"},         {1, "S-1-5"},         {0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TUtilities::BytesToSidString(sid, c.length), c.expected) << c.length;
    // The count of the header ends the list even where the array holds more.
    EXPECT_EQ(BytesText(WithSubAuthorities(1, 3)), "S-1-5-1");
}

// The callers' duty to pass an array that holds what is read is checked instead of trusted.
TEST(ByteReaders, RefuseToReadBeyondTheArray) {
    const TBytes header = {1, 2, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20};
    EXPECT_THROW(TUtilities::BytesToSidString(header, 13), EArgumentException);
    EXPECT_THROW(TUtilities::BytesToSidString(TBytes{1, 0, 0, 0, 0}, 5), EArgumentException);
    EXPECT_THROW(TUtilities::ByteArrayToSidString(TBytes{0, 0, 0, 0, 5}, 5), EArgumentException);
    EXPECT_THROW(TUtilities::BytesToSidString(kLocalSystem, 13), EArgumentOutOfRangeException);
    EXPECT_THROW(TUtilities::BytesToSidString(kLocalSystem, -1), EArgumentOutOfRangeException);
    EXPECT_THROW(TUtilities::ByteArrayToSidString(kLocalSystem, 13), EArgumentOutOfRangeException);
}

TEST(StreamToSidString, ReadsFromThePositionAndStopsAfterTheLastSubAuthority) {
    EXPECT_EQ(StreamText({}), "");

    TBytes withTail = kAdministrators;
    withTail.insert(withTail.end(), {9, 9, 9, 9, 9});
    std::istringstream stream(std::string(withTail.begin(), withTail.end()));
    EXPECT_EQ(TUtilities::StreamToSidString(stream), "S-1-5-32-544");
    EXPECT_EQ(stream.tellg(), std::streampos(16));

    // Behind its start the stream never reaches its whole size: the count ends the reading.
    std::string shifted = "xyz" + std::string(kAdministrators.begin(), kAdministrators.end()) + "!";
    std::istringstream positioned(shifted);
    positioned.seekg(3);
    EXPECT_EQ(TUtilities::StreamToSidString(positioned), "S-1-5-32-544");
    EXPECT_EQ(positioned.tellg(), std::streampos(19));
}

TEST(StreamToSidString, TheWholeSizeEndsTheSubAuthorities) {
    // As for the byte array: the count is 2, but the stream ends after the first sub-authority.
    EXPECT_EQ(StreamText(WithSubAuthorities(2, 1)), "S-1-5-1");
    EXPECT_EQ(StreamText(WithSubAuthorities(0, 2)), "S-1-5");
}

// A stream that ends inside the header or inside a sub-authority holds no whole identifier.
TEST(StreamToSidString, RefusesAStreamEndingInsideTheIdentifier) {
    const std::string cut[] = {
        std::string("\x01\x01\x00\x00\x00", 5),
        std::string("\x01\x02\x00\x00\x00\x00\x00\x05\x20\x00\x00\x00\x20\x02", 14),
        "\x01",
    };
    for (const std::string& bytes : cut) {
        std::istringstream stream(bytes);
        EXPECT_THROW(TUtilities::StreamToSidString(stream), EArgumentException) << bytes.size();
    }
    // Behind its start, a stream too short for the count.
    std::string shifted = "ab" + std::string(kAdministrators.begin(), kAdministrators.end() - 4);
    std::istringstream positioned(shifted);
    positioned.seekg(2);
    EXPECT_THROW(TUtilities::StreamToSidString(positioned), EArgumentException);
    // At its end, a stream that is not empty.
    std::istringstream atEnd(std::string(kLocalSystem.begin(), kLocalSystem.end()));
    atEnd.seekg(0, std::ios::end);
    EXPECT_THROW(TUtilities::StreamToSidString(atEnd), EArgumentException);
}

// A stream that cannot seek (a pipe) has no size: the header's count alone ends the reading.
class TForwardOnlyBuffer : public std::streambuf {
public:
    explicit TForwardOnlyBuffer(std::string ABytes) : FBytes(std::move(ABytes)) {
        setg(FBytes.data(), FBytes.data(), FBytes.data() + FBytes.size());
    }

private:
    std::string FBytes;
};

TEST(StreamToSidString, ReadsAStreamThatCannotSeek) {
    const struct {
        std::string bytes;
        const char* expected; // nullptr: refused
    } cases[] = {
        {std::string(kAdministrators.begin(), kAdministrators.end()) + "tail", "S-1-5-32-544"},
        {"", ""},
        {std::string(kAdministrators.begin(), kAdministrators.end() - 1), nullptr},
    };
    for (const auto& c : cases) {
        TForwardOnlyBuffer buffer(c.bytes);
        std::istream stream(&buffer);
        if (c.expected != nullptr)
            EXPECT_EQ(TUtilities::StreamToSidString(stream), c.expected);
        else
            EXPECT_THROW(TUtilities::StreamToSidString(stream), EArgumentException);
    }
}

TEST(GetSID, MapsTheEffectiveUserIntoTheUnixUserAuthority) {
    const passwd* entry = getpwuid(geteuid());
    std::string userName = "before";
    std::string domainName = "before";
    if (entry == nullptr) { // a container may run the tests as a user without an account entry
        EXPECT_THROW(TUtilities::GetSID(userName, domainName), EOSError);
        return;
    }
    EXPECT_EQ(TUtilities::GetSID(userName, domainName), "S-1-22-1-" + std::to_string(geteuid()));
    EXPECT_EQ(userName, entry->pw_name);
    EXPECT_EQ(domainName, TUtilities::GetLocalMachineName());
}

constexpr uid_t kTestUid = 4242;

std::string SidOfIsolatedUser(const std::string& APasswd) {
    UseIsolatedNameServices();
    WriteIsolatedFile("/etc/passwd", APasswd);
    SetIsolatedEffectiveUser(kTestUid);
    std::string userName = "unchanged";
    std::string domainName = "unchanged";
    try {
        const std::string sid = TUtilities::GetSID(userName, domainName);
        return sid + " " + userName + " " + domainName;
    } catch (const EOSError& e) {
        return "EOSError " + std::to_string(e.ErrorCode()) + " " + userName + " " + domainName;
    }
}

TEST(GetSID, ReturnsNamesOfAnyLengthWhole) {
    const std::string longName(100, 'u');
    const auto result = RunIsolated([&] {
        SetIsolatedHostName("korvexhost");
        return SidOfIsolatedUser("root:x:0:0:root:/root:/bin/sh\n" + longName +
                                 ":x:4242:4242::/home/u:/bin/sh\n");
    });
    if (!result)
        GTEST_SKIP() << kNoNamespaces;
    EXPECT_EQ(*result, "S-1-22-1-4242 " + longName + " korvexhost");
}

TEST(GetSID, RaisesForAUserWithoutAnAccountEntry) {
    const auto result =
        RunIsolated([] { return SidOfIsolatedUser("root:x:0:0::/root:/bin/sh\n"); });
    if (!result)
        GTEST_SKIP() << kNoNamespaces;
    EXPECT_EQ(*result, "EOSError 2 unchanged unchanged");
}

} // namespace
