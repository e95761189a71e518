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
#include <unordered_map>
#include <vector>

class TUtilities {
public:
    TUtilities() = delete;

    // --- Per-form settings store -------------------------------------------------------------
    // Small values remembered per user between runs, addressed by a form name and a value name
    // within it (both used unchanged, whatever characters they hold). A value is text or a 32-bit
    // integer. Nothing is cached: every call reads or writes the store anew.

    // The text value; empty when the form or the value is missing or its file cannot be read.
    // Raises ERegistryException "Invalid data type for '<value name>'" for an integer value.
    static std::string GetFormKey(const std::string& AFormName, const std::string& AValueName);
    // The integer value; 0 when the form or the value is missing or its file cannot be read.
    // Raises ERegistryException for a text value: "Failed to get data for '<value name>'" when
    // its data (UTF-16 with a terminating zero) is longer than 4 bytes, otherwise "Invalid data
    // type for '<value name>'".
    static int32_t GetIntegerFormKey(const std::string& AFormName, const std::string& AValueName);
    // Store a text or integer value, replacing any value of that name whatever its kind; the
    // form is created when missing. False when the form cannot be opened or created; raises
    // ERegistryException "Failed to set data for '<value name>'" when the store refuses the write.
    static bool SetFormKey(const std::string& AFormName, const std::string& AValueName,
                           const std::string& AValue);
    static bool SetIntegerFormKey(const std::string& AFormName, const std::string& AValueName,
                                  int32_t AValue);

    // --- Address and byte-order conversion ---------------------------------------------------

    // IPv4 addresses as 32-bit numbers in host order, the first dotted part in the most
    // significant byte: "1.2.3.4" is 0x01020304. The text is cut at every "." (a part that
    // begins with a double quote is read as a quoted string) into exactly four parts, each an
    // integer of the program's integer text syntax from 0 to 255.

    // Raises EArgumentException "Invalid dotted quad address" unless there are four parts, and
    // EConvertError for a part that is no integer or lies outside 0 to 255.
    static uint32_t DottedQuadToUInt32(std::string_view ADottedQuadAddress);
    // Raises no error for any text; AIPOut is written only when the result is true.
    static bool TryDottedQuadToUInt32(std::string_view ADottedQuadAddress, uint32_t& AIPOut);
    static std::string UInt32ToDottedQuad(uint32_t AUInt32Address);

    // Network byte order is big-endian; on a big-endian host both return their argument.
    static uint32_t HostToNetworkByteOrder(uint32_t AUInt32Address) noexcept;
    static uint32_t NetworkToHostByteOrder(uint32_t AUInt32Address) noexcept;

    // A new, empty map from addresses to adapter names, owned by the caller.
    using TIPv4AdapterMap = std::unordered_map<int32_t, std::string>;
    static TIPv4AdapterMap GetIPv4Adapters();

    // --- Date and time text conversion -------------------------------------------------------

    // Date-time values to text and back. No function converts between time zones: a trailing
    // "Z" or a UTC offset is a label beside the wall-clock value, never applied to it. Fields
    // are read with the program's integer text syntax (EConvertError "'<field>' is not a valid
    // integer value"); fields out of range raise the encoder's EConvertError. Character
    // positions count UTF-16 code units.

    // "YYYY-MMM-DD hh:nn:ss" with upper-case English month abbreviations: 2024-JAN-05 13:04:09.
    static std::string ConvertDateTimeToString(TDateTime ADateTime);
    // The reader of that form; the month abbreviation in any letter case.
    static TDateTime ConvertDateTimeString(std::string_view ADateTimeString);
    // "2024-01-05T13:04:09", optionally followed by a fraction of a second and by a "Z" or an
    // offset, which are ignored. Raises Exception "Invalid Iso 8601 DateTime %s" unless the text holds
    // exactly one "T", "Invalid Iso 8601 Date Part %s" or "Invalid Iso 8601 Time Part %s" for a
    // field that is no integer.
    static TDateTime ConvertIso8601StringToDateTime(std::string_view ADateTimeString);
    // A timestamp with fixed positions, as DateTimeToISOTimestampString writes it.
    static TDateTime ISOTimestampStringToDateTime(std::string_view AValue);
    // The UTC offset of such a timestamp: zero for a trailing "Z", otherwise the "+hh:mm" or
    // "-hh:mm" after the seconds (and their fraction).
    static TTimeSpan ISOTimestampStringToOffset(std::string_view AValue);
    // "2024-01-05T13:04:09.007Z", the value rounded to the millisecond and written unchanged.
    static std::string DateTimeToISOTimestampString(TDateTime ADateTime);
    // As above with the span's sign, hours (modulo 24) and minutes in place of the "Z":
    // "2024-01-05T13:04:09.007+02:00"; a zero span still writes "Z".
    static std::string DateTimeToISOTimestampString(TDateTime ADateTime, TTimeSpan ATimeSpan);

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
    // The size of a file in bytes (0 for a folder, device or pipe, which hold no contents of a
    // size), or -1 when it cannot be read.
    static int64_t GetFileSize(const std::string& AFileName);
    // The file's birth time or last write time in local time with a resolution of two seconds,
    // converted with the offset from UTC in force now; -1.0 when the file or the time is not
    // available.
    static TDateTime GetFileCreationTime(const std::string& AFileName);
    static TDateTime GetFileLastWriteTime(const std::string& AFileName);
    // The last write time of the first entry matching AFileName (its name part may hold the
    // wildcards "*" and "?") in local time by the time-zone rule in force at that date, to the
    // millisecond; -1.0 when nothing matches, 0.0 when the time has no local date-time value.
    static TDateTime GetFileModDate(const std::string& AFileName);
    // The file version our build embeds in its executables (see util/VersionNote.h). False and
    // four zeros for a file without one.
    static bool GetVersionInfo(const std::string& AFileName, int32_t& AMajorVersion,
                               int32_t& AMinorVersion, int32_t& AReleaseVersion,
                               int32_t& ABuildNumber);
    // Bytes allocated and in use on this process's heap.
    static uint64_t MemoryUsed();

    // --- Text and number helpers -------------------------------------------------------------

    // ASCII character classes of UTF-16 code units; IsAlpha counts the hyphen-minus as a letter.
    static bool IsAlpha(char16_t AChar) noexcept;
    static bool IsNumeric(char16_t AChar) noexcept;
    static bool IsAlphaNumeric(char16_t AChar) noexcept;
    // Cuts the leading run of alphanumeric characters off VString and returns it.
    static std::string ExtractAlphaNumericStr(std::string& VString);
    // Decimal with "," between groups of three digits: -1234567 gives "-1,234,567".
    static std::string IntToStrWithSeperators(int64_t AValue);
    // The bytes from the stream's position to its end (the whole stream when it is already at
    // its end) read as Windows-1252; the stream is left at its end. Reaching the end is no
    // failure, whatever errors the stream is set to raise. A read error turns the stream bad and
    // raises EFileError, or the stream's own error when it is set to raise on that.
    static std::string StreamToString(std::istream& Stream);
    // Server addresses such as "http://host:9200", "host:9200" or "https://host", cut at ":".
    // The URL is the scheme and host, or "http://" and the host of a bare "host:port"; other
    // texts come back unchanged. The port is the number after the last ":", or 443 or 80 by
    // the scheme when there is none; a port that is no integer or lies outside 0 to 65535
    // raises EConvertError.
    static std::string GetURLFromURLString(std::string_view AValue);
    static uint16_t GetPortFromURLString(std::string_view AValue);
    // Raises EConvertError for text that is no integer or lies outside 0 to 4294967295.
    static uint32_t StrToUInt32(std::string_view AValue);
    static uint32_t StrToUInt32Def(std::string_view AValue, uint32_t ADefault) noexcept;

    // --- Special folders ---------------------------------------------------------------------
    // Well-known folders, without a trailing path delimiter (only a root folder keeps its one
    // delimiter); the empty text when the folder cannot be determined.

    // The user's documents folder (Linux: the XDG documents folder, else ~/Documents).
    static std::string MyDocumentsDir();
    // The user's roaming application-data folder (Linux: $XDG_CONFIG_HOME, else ~/.config).
    static std::string AppDataDir();
    // The user's local application-data folder (Linux: $XDG_DATA_HOME, else ~/.local/share).
    static std::string AppDataDirNonRoaming();
    // The machine-wide application-data folder (Linux: /var/lib).
    static std::string CommonAppDataDir();

private:
    // --- Special folders (private) -----------------------------------------------------------
    // The path of the folder with the given shell folder identifier (CSIDL number), as the system
    // gives it; the empty text for an identifier without a folder.
    static std::string SpecialFolderPath(int32_t ACSIDL);
};
