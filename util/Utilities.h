#pragma once

// TUtilities: the program's general helpers, as class functions without state. The class is
// never instantiated. One source file per topic implements them; what depends on the operating
// system lives in per-OS files (...Posix.cpp, ...Windows.cpp).

#include "platform/DateTime.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TUtilities {
public:
    TUtilities() = delete;

    // --- Per-form settings store -------------------------------------------------------------

    // --- Address and byte-order conversion ---------------------------------------------------

    // --- Date and time text conversion -------------------------------------------------------

    // --- Security identifier text ------------------------------------------------------------

    // A binary security identifier (SID) is laid out as: revision (1 byte), sub-authority count n
    // (1 byte), identifier authority (6 bytes, big-endian), n sub-authorities (4 bytes each,
    // little-endian). Its text form is "S-1-<authority>-<sub-authority>...".

    // The text of the SID at the start of Input. Raises Exception "Invalid Security ID Exception"
    // unless the revision is 1, the count at most 15 and Input holds every sub-authority. An
    // authority of 2^32 or more is written as "0x" and twelve hexadecimal digits.
    static std::string SIDToStr(std::span<const uint8_t> Input);
    // The current user's SID, name and domain. Linux has no SIDs in its account database: the
    // effective user's ID is mapped into the SID space as S-1-22-1-<uid>, and the domain of a
    // local account is the machine's name. Raises EOSError when the user has no account entry;
    // UserName and DomainName are then left unchanged.
    static std::string GetSID(std::string& UserName, std::string& DomainName);
    // The identifier authority written by SIDToStr's rule from bytes 0 to 5 of the array, without
    // "S-" or anything else; empty when ArrayLength is 0.
    static std::string ByteArrayToSidString(std::span<const uint8_t> AByteArray,
                                            int32_t ArrayLength);
    // "S-<revision>-<authority>" (always decimal), then one "-<sub-authority>" per sub-authority
    // whose first byte lies below ArrayLength, at most the count of the header; empty when
    // ArrayLength is 0.
    static std::string BytesToSidString(std::span<const uint8_t> AByteArray, int32_t ArrayLength);
    // As BytesToSidString, reading the SID from the stream's current position; the number of
    // bytes read is compared with the stream's whole size. Empty for an empty stream.
    static std::string StreamToSidString(std::istream& AStream);

    // --- Host, user, file and system information ---------------------------------------------

    // The name of the user this process runs as (the effective user). Raises EOSError when the
    // user has no account entry.
    static std::string GetLoggedInUserName();
    // The domain of that user's account: the local machine's name, as for a local account.
    // Raises EOSError when the user has no account entry.
    static std::string GetLoggedInDomain();
    // The machine's short name (its host name up to the first "."); empty when it cannot be
    // read. Never raises.
    static std::string GetLocalMachineName();
    // The canonical DNS name of this host, as the resolver gives it for the host name. Raises
    // Exception "GetComputerNameEx failed with error code %d: %s" when the look-up fails.
    static std::string GetFQDN();
    // The host name registered for an IPv4 address (reverse look-up; a name is required).
    // Raises Exception "getnameinfo returned erro code %d: %s." when no name is found, and
    // EArgumentException when AIPAddress is not an IPv4 address.
    static std::string GetFullyQualifiedDomainName(const std::string& AIPAddress);
    // The machine's identifier in the form xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx (lower case);
    // empty when the machine has none.
    static std::string GetMachineGUID();
    // The size of a file in bytes (0 for a folder), or -1 when it cannot be read.
    static int64_t GetFileSize(const std::string& AFileName);
    // The file's birth time or last write time in local time with a resolution of two seconds,
    // converted with the offset from UTC in force now; -1.0 when the file or the time is not
    // available.
    static TDateTime GetFileCreationTime(const std::string& AFileName);
    static TDateTime GetFileLastWriteTime(const std::string& AFileName);
    // The last write time of the first entry matching AFileName (its name part may hold the
    // wildcards "*" and "?") in local time by the time-zone rule in force at that date, to the
    // millisecond; -1.0 when nothing matches.
    static TDateTime GetFileModDate(const std::string& AFileName);
    // The file version our build embeds in its executables (see util/VersionNote.h). False and
    // four zeros for a file without one.
    static bool GetVersionInfo(const std::string& AFileName, int32_t& AMajorVersion,
                               int32_t& AMinorVersion, int32_t& AReleaseVersion,
                               int32_t& ABuildNumber);
    // Bytes allocated and in use on this process's heap.
    static uint64_t MemoryUsed();

    // --- Text and number helpers -------------------------------------------------------------

    // --- Special folders ---------------------------------------------------------------------

private:
    // --- Special folders (private) -----------------------------------------------------------
};
