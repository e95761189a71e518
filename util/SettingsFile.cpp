#include "util/SettingsFile.h"

#include "platform/Errors.h"
#include "platform/Sha256.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

namespace SettingsStore {

namespace {

constexpr std::string_view Header = "Korvex settings 1\n";
constexpr std::string_view FormKeyword = "form ";
constexpr std::string_view EndLine = "end\n";
constexpr std::string_view TextKeyword = "text ";
constexpr std::string_view ExpandableTextKeyword = "expandtext ";
constexpr std::string_view IntegerKeyword = "integer ";
constexpr char HexDigits[] = "0123456789ABCDEF";

bool IsPlainNameCharacter(char AChar) {
    return (AChar >= 'A' && AChar <= 'Z') || (AChar >= 'a' && AChar <= 'z') ||
           (AChar >= '0' && AChar <= '9') || AChar == '-' || AChar == '_';
}

void AppendQuoted(std::string& AOut, std::string_view AText) {
    const bool nonAsciiAsIs = IsValidUtf8(AText);
    AOut += '"';
    for (const char c : AText) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            AOut += "\\\"";
            break;
        case '\\':
            AOut += "\\\\";
            break;
        case '\n':
            AOut += "\\n";
            break;
        case '\r':
            AOut += "\\r";
            break;
        case '\t':
            AOut += "\\t";
            break;
        default:
            if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && !nonAsciiAsIs)) {
                AOut += "\\x";
                AOut += HexDigits[byte >> 4];
                AOut += HexDigits[byte & 0x0F];
            } else {
                AOut += c;
            }
        }
    }
    AOut += '"';
}

int HexValue(char AChar) {
    if (AChar >= '0' && AChar <= '9')
        return AChar - '0';
    if (AChar >= 'A' && AChar <= 'F')
        return AChar - 'A' + 10;
    if (AChar >= 'a' && AChar <= 'f')
        return AChar - 'a' + 10;
    return -1;
}

// Reads a form file from the front; every step fails (returns false or nothing) on text that
// the writer would not have produced.
class TFormFileReader {
public:
    explicit TFormFileReader(std::string_view AText) : FRest(AText) {}

    bool AtEnd() const { return FRest.empty(); }

    bool Skip(std::string_view ALiteral) {
        if (!FRest.starts_with(ALiteral))
            return false;
        FRest.remove_prefix(ALiteral.size());
        return true;
    }

    std::optional<std::string> Quoted() {
        if (!Skip("\""))
            return std::nullopt;
        std::string text;
        while (!FRest.empty()) {
            const char c = FRest.front();
            FRest.remove_prefix(1);
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"')
                return text;
            if (byte < 0x20 || byte == 0x7F)
                return std::nullopt; // written escaped, so raw here means damage
            if (c != '\\') {
                text += c;
                continue;
            }
            if (FRest.empty())
                return std::nullopt;
            const char escaped = FRest.front();
            FRest.remove_prefix(1);
            switch (escaped) {
            case '"':
            case '\\':
                text += escaped;
                break;
            case 'n':
                text += '\n';
                break;
            case 'r':
                text += '\r';
                break;
            case 't':
                text += '\t';
                break;
            case 'x': {
                if (FRest.size() < 2)
                    return std::nullopt;
                const int high = HexValue(FRest[0]);
                const int low = HexValue(FRest[1]);
                if (high < 0 || low < 0)
                    return std::nullopt;
                text += static_cast<char>(high * 16 + low);
                FRest.remove_prefix(2);
                break;
            }
            default:
                return std::nullopt;
            }
        }
        return std::nullopt; // no closing quote
    }

    std::optional<int32_t> Integer() {
        const std::size_t end = FRest.find('\n');
        const std::string_view digits = FRest.substr(0, end);
        int32_t value = 0;
        const auto [stop, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        if (digits.empty() || error != std::errc() || stop != digits.data() + digits.size())
            return std::nullopt;
        FRest.remove_prefix(digits.size());
        return value;
    }

private:
    std::string_view FRest;
};

} // namespace

const TValue* TFormContent::Find(std::string_view AValueName) const {
    const auto found = std::find_if(Values.begin(), Values.end(), [&](const TNamedValue& AEntry) {
        return AEntry.Name == AValueName;
    });
    return found == Values.end() ? nullptr : &found->Value;
}

void TFormContent::Put(const std::string& AValueName, TValue AValue) {
    for (TNamedValue& entry : Values)
        if (entry.Name == AValueName) {
            entry.Value = std::move(AValue);
            return;
        }
    Values.push_back({AValueName, std::move(AValue)});
}

std::string FormFileName(const std::string& AFormName) {
    const bool plain = !AFormName.empty() && AFormName.size() <= 64 &&
                       std::all_of(AFormName.begin(), AFormName.end(), IsPlainNameCharacter);
    return (plain ? AFormName : "~" + Sha256Hex(AFormName)) + ".form";
}

std::string FormatFormFile(const TFormContent& AContent) {
    std::string out(Header);
    out += FormKeyword;
    AppendQuoted(out, AContent.FormName);
    out += '\n';
    for (const TNamedValue& entry : AContent.Values) {
        switch (entry.Value.Kind) {
        case TValueKind::Text:
            out += TextKeyword;
            break;
        case TValueKind::ExpandableText:
            out += ExpandableTextKeyword;
            break;
        case TValueKind::Integer:
            out += IntegerKeyword;
            break;
        case TValueKind::Other:
            throw EArgumentException("A settings file cannot hold a value of another kind");
        }
        AppendQuoted(out, entry.Name);
        out += ' ';
        if (entry.Value.Kind == TValueKind::Integer)
            out += std::to_string(entry.Value.Integer);
        else
            AppendQuoted(out, entry.Value.Text);
        out += '\n';
    }
    out += EndLine;
    return out;
}

std::optional<TFormContent> ParseFormFile(std::string_view AText) {
    TFormFileReader reader(AText);
    if (!reader.Skip(Header) || !reader.Skip(FormKeyword))
        return std::nullopt;
    std::optional<std::string> formName = reader.Quoted();
    if (!formName || !reader.Skip("\n"))
        return std::nullopt;

    TFormContent content;
    content.FormName = std::move(*formName);
    std::unordered_set<std::string> seen;
    while (!reader.Skip(EndLine)) {
        TValueKind kind;
        if (reader.Skip(TextKeyword))
            kind = TValueKind::Text;
        else if (reader.Skip(ExpandableTextKeyword))
            kind = TValueKind::ExpandableText;
        else if (reader.Skip(IntegerKeyword))
            kind = TValueKind::Integer;
        else
            return std::nullopt;

        std::optional<std::string> name = reader.Quoted();
        if (!name || !reader.Skip(" "))
            return std::nullopt;
        TValue value;
        if (kind == TValueKind::Integer) {
            const std::optional<int32_t> number = reader.Integer();
            if (!number)
                return std::nullopt;
            value = IntegerValue(*number);
        } else {
            std::optional<std::string> text = reader.Quoted();
            if (!text)
                return std::nullopt;
            value = kind == TValueKind::Text ? TextValue(std::move(*text))
                                             : ExpandableTextValue(std::move(*text));
        }
        if (!reader.Skip("\n") || !seen.insert(*name).second)
            return std::nullopt;
        content.Values.push_back({std::move(*name), std::move(value)});
    }
    if (!reader.AtEnd())
        return std::nullopt;
    return content;
}

} // namespace SettingsStore
