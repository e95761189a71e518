#include "platform/JsonWriter.h"

#include "platform/JsonValue.h"
#include "platform/TextEncoding.h"

#include <array>
#include <vector>

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The two-character escape of a byte, or 0 when it has none.
char ShortEscape(unsigned char AByte) noexcept {
    switch (AByte) {
    case '"':
        return '"';
    case '\\':
        return '\\';
    case '/':
        return '/';
    case '\b':
        return 'b';
    case '\f':
        return 'f';
    case '\n':
        return 'n';
    case '\r':
        return 'r';
    case '\t':
        return 't';
    default:
        return 0;
    }
}

// Bytes that both forms copy unchanged: printable ASCII other than the quotation mark, the
// backslash and the slash.
constexpr std::array<bool, 256> kPlainBytes = [] {
    std::array<bool, 256> plain{};
    for (int byte = 0x20; byte < 0x80; ++byte)
        plain[static_cast<size_t>(byte)] = byte != '"' && byte != '\\' && byte != '/';
    return plain;
}();

void AppendUnicodeEscape(std::string& AOut, char16_t AUnit) {
    const char escape[6] = {'\\',
                            'u',
                            kHexDigits[(AUnit >> 12) & 0xF],
                            kHexDigits[(AUnit >> 8) & 0xF],
                            kHexDigits[(AUnit >> 4) & 0xF],
                            kHexDigits[AUnit & 0xF]};
    AOut.append(escape, sizeof escape);
}

// Appends AText inside quotation marks. With AEscapeNonAscii (the compact form) every character
// above 127 becomes \u escapes of its UTF-16 code units; otherwise valid characters are copied.
void AppendQuoted(std::string& AOut, std::string_view AText, bool AEscapeNonAscii) {
    AOut += '"';
    size_t runStart = 0;
    size_t i = 0;
    const size_t n = AText.size();
    while (i < n) {
        // Plain characters form runs that are copied in one piece.
        while (i < n && kPlainBytes[static_cast<unsigned char>(AText[i])])
            ++i;
        AOut.append(AText.substr(runStart, i - runStart));
        if (i == n)
            break;
        const auto byte = static_cast<unsigned char>(AText[i]);
        if (byte < 0x80) {
            if (const char escape = ShortEscape(byte)) {
                AOut += '\\';
                AOut += escape;
            } else {
                AppendUnicodeEscape(AOut, byte);
            }
            ++i;
        } else {
            const size_t length = Utf8CharLength(AText, i);
            if (length == 0) {
                if (AEscapeNonAscii)
                    AppendUnicodeEscape(AOut, 0xFFFD);
                else
                    AOut.append(kReplacementUtf8);
                ++i;
            } else {
                if (AEscapeNonAscii) {
                    for (const char16_t unit : Utf8ToUtf16(AText.substr(i, length)))
                        AppendUnicodeEscape(AOut, unit);
                } else {
                    AOut.append(AText.substr(i, length));
                }
                i += length;
            }
        }
        runStart = i;
    }
    AOut += '"';
}

// Writes scalars; containers are handled by WriteTree.
void AppendScalar(std::string& AOut, const JsonValue& AValue, bool AEscapeNonAscii) {
    switch (AValue.Kind()) {
    case JsonKind::Null:
        AOut += "null";
        break;
    case JsonKind::Boolean:
        AOut += static_cast<const JsonBoolean&>(AValue).Value() ? "true" : "false";
        break;
    case JsonKind::Number:
        AOut += static_cast<const JsonNumber&>(AValue).Text();
        break;
    case JsonKind::String:
        AppendQuoted(AOut, static_cast<const JsonString&>(AValue).Value(), AEscapeNonAscii);
        break;
    case JsonKind::Object:
    case JsonKind::Array:
        break;
    }
}

size_t ChildCount(const JsonValue& AContainer) noexcept {
    if (const JsonObject* object = AContainer.AsObject())
        return object->Count();
    return AContainer.AsArray()->Count();
}

struct CompactStyle {
    static constexpr bool EscapeNonAscii = true;
    static void Open(std::string& AOut, bool AIsObject, size_t) { AOut += AIsObject ? '{' : '['; }
    static void BeforeChild(std::string& AOut, size_t AIndex, size_t) {
        if (AIndex > 0)
            AOut += ',';
    }
    static void AfterName(std::string& AOut) { AOut += ':'; }
    static void AfterChild(std::string&, size_t, size_t) {}
    static void Close(std::string& AOut, bool AIsObject, size_t) { AOut += AIsObject ? '}' : ']'; }
};

struct IndentedStyle {
    static constexpr bool EscapeNonAscii = false;
    static void Indent(std::string& AOut, size_t ALevel) { AOut.append(4 * ALevel, ' '); }
    static void Open(std::string& AOut, bool AIsObject, size_t) {
        AOut += AIsObject ? "{\r\n" : "[\r\n";
    }
    static void BeforeChild(std::string& AOut, size_t, size_t AChildLevel) {
        Indent(AOut, AChildLevel);
    }
    static void AfterName(std::string& AOut) { AOut += ": "; }
    static void AfterChild(std::string& AOut, size_t AIndex, size_t ACount) {
        AOut += AIndex + 1 < ACount ? ",\r\n" : "\r\n";
    }
    static void Close(std::string& AOut, bool AIsObject, size_t ALevel) {
        Indent(AOut, ALevel);
        AOut += AIsObject ? '}' : ']';
    }
};

// Writes a tree with an explicit stack of open containers instead of recursion.
template <typename Style>
std::string WriteTree(const JsonValue& ARoot) {
    std::string out;
    if (!ARoot.IsObject() && !ARoot.IsArray()) {
        AppendScalar(out, ARoot, Style::EscapeNonAscii);
        return out;
    }
    struct Frame {
        const JsonValue* Container;
        size_t Count;
        size_t Next;
    };
    std::vector<Frame> open;
    Style::Open(out, ARoot.IsObject(), 0);
    open.push_back({&ARoot, ChildCount(ARoot), 0});
    while (!open.empty()) {
        Frame& frame = open.back();
        const size_t level = open.size() - 1;
        if (frame.Next == frame.Count) {
            const bool isObject = frame.Container->IsObject();
            open.pop_back();
            Style::Close(out, isObject, level);
            if (!open.empty())
                Style::AfterChild(out, open.back().Next - 1, open.back().Count);
            continue;
        }
        const size_t index = frame.Next++;
        Style::BeforeChild(out, index, level + 1);
        const JsonValue* child = nullptr;
        if (const JsonObject* object = frame.Container->AsObject()) {
            const JsonMember& member = object->Members()[index];
            AppendQuoted(out, member.Name, Style::EscapeNonAscii);
            Style::AfterName(out);
            child = member.Value.get();
        } else {
            child = frame.Container->AsArray()->Items()[index].get();
        }
        if (child->IsObject() || child->IsArray()) {
            Style::Open(out, child->IsObject(), level + 1);
            open.push_back({child, ChildCount(*child), 0}); // invalidates frame
        } else {
            AppendScalar(out, *child, Style::EscapeNonAscii);
            Style::AfterChild(out, index, frame.Count);
        }
    }
    return out;
}

} // namespace

std::string JsonCompactText(const JsonValue& AValue) { return WriteTree<CompactStyle>(AValue); }

std::string JsonIndentedText(const JsonValue& AValue) { return WriteTree<IndentedStyle>(AValue); }

std::string JsonQuotedString(std::string_view AText) {
    std::string out;
    AppendQuoted(out, AText, true);
    return out;
}
