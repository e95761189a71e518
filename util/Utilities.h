#pragma once

// TUtilities: the program's general helpers, as class functions without state. The class is
// never instantiated. One source file per topic implements them; what depends on the operating
// system lives in per-OS files (...Posix.cpp, ...Windows.cpp).

#include "platform/DateTime.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <memory>
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

    // --- Host, user, file and system information ---------------------------------------------

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
    // its end) read as Windows-1252; the stream is left at its end.
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
