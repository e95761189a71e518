#include "platform/JsonReader.h"

#include "platform/Errors.h"
#include "platform/Format.h"
#include "platform/JsonArena.h"
#include "platform/TextEncoding.h"

#include <rapidjson/error/en.h>
#include <rapidjson/memorystream.h>
#include <rapidjson/reader.h>
#include <type_traits>
#include <utility>
#include <vector>

namespace {

// Iterative: no recursion on nesting. Numbers as strings: the exact text as written.
// Validate encoding: strings must be valid UTF-8. The text is read through a MemoryStream,
// which knows where the input ends, so that a character cut short at the end is never read past.
constexpr unsigned kParseFlags = rapidjson::kParseIterativeFlag |
                                 rapidjson::kParseNumbersAsStringsFlag |
                                 rapidjson::kParseValidateEncodingFlag;

// Builds the tree from the reader's events. Finished values wait on two scratch stacks (one
// for members, one for elements) until their container closes, when they move into it in one
// piece, so each container's storage is allocated once and at its final size. The nodes below
// the root live in an arena that the root takes over at the end.
class TreeBuilder : public rapidjson::BaseReaderHandler<rapidjson::UTF8<>, TreeBuilder> {
public:
    explicit TreeBuilder(const rapidjson::MemoryStream& AStream)
        : FArena(std::make_unique<JsonArena>()), FStream(AStream) {}

    bool Null() { return Put(Make<JsonNull>()); }
    bool Bool(bool AValue) { return Put(Make<JsonBoolean>(AValue)); }
    bool RawNumber(const char* AText, rapidjson::SizeType ALength, bool) {
        // The reader has checked the number's syntax already.
        return Put(Make<JsonNumber>(JsonNumber::Valid, std::string_view(AText, ALength)));
    }
    bool String(const char* AText, rapidjson::SizeType ALength, bool) {
        if (!IsWholeText(AText, ALength))
            return RefuseString();
        return Put(Make<JsonString>(std::string(AText, ALength)));
    }
    bool Key(const char* AText, rapidjson::SizeType ALength, bool) {
        if (!IsWholeText(AText, ALength))
            return RefuseString();
        FMembers.push_back(JsonMember{std::string(AText, ALength), nullptr});
        return true;
    }
    bool StartObject() { return Open(true); }
    bool StartArray() { return Open(false); }
    bool EndObject(rapidjson::SizeType) {
        const size_t start = FOpen.back().Start;
        std::vector<JsonMember> members(std::make_move_iterator(FMembers.begin() + start),
                                        std::make_move_iterator(FMembers.end()));
        FMembers.resize(start);
        FOpen.pop_back();
        return Put(Make<JsonObject>(std::move(members)));
    }
    bool EndArray(rapidjson::SizeType) {
        const size_t start = FOpen.back().Start;
        std::vector<std::unique_ptr<JsonValue>> items(
            std::make_move_iterator(FItems.begin() + start), std::make_move_iterator(FItems.end()));
        FItems.resize(start);
        FOpen.pop_back();
        return Put(Make<JsonArray>(std::move(items)));
    }

    std::unique_ptr<JsonValue> TakeRoot() noexcept { return std::move(FRoot); }
    // Why and where the builder stopped the reader; an empty reason when it did not.
    const std::string& RefusedReason() const noexcept { return FRefusedReason; }
    size_t RefusedOffset() const noexcept { return FRefusedOffset; }

private:
    // A node below the root goes into the arena; the root itself is allocated on its own and,
    // when it is a container, takes the arena over.
    template <typename T, typename... Args> std::unique_ptr<JsonValue> Make(Args&&... AArgs) {
        if (!FOpen.empty())
            return FArena->Make<T>(std::forward<Args>(AArgs)...);
        auto root = std::make_unique<T>(std::forward<Args>(AArgs)...);
        if constexpr (std::is_same_v<T, JsonObject> || std::is_same_v<T, JsonArray>)
            JsonArena::GiveTo(std::move(FArena), *root);
        return root;
    }

    struct OpenContainer {
        bool IsObject;
        size_t Start; // first scratch entry that belongs to this container
    };

    bool Open(bool AIsObject) {
        if (FOpen.size() == kMaxJsonDepth) {
            FRefusedReason = Format("Nesting deeper than %u levels.", {kMaxJsonDepth});
            FRefusedOffset = FStream.Tell(); // the reader reports a bracket before taking it
            return false;
        }
        FOpen.push_back({AIsObject, AIsObject ? FMembers.size() : FItems.size()});
        return true;
    }

    bool Put(std::unique_ptr<JsonValue> AValue) {
        if (FOpen.empty())
            FRoot = std::move(AValue);
        else if (FOpen.back().IsObject)
            FMembers.back().Value = std::move(AValue); // the reader sends the key first
        else
            FItems.push_back(std::move(AValue));
        return true;
    }

    // The reader checks the raw bytes, but lets an escaped low surrogate without its high one
    // (\uDC00) through as the three bytes of a surrogate, which no UTF-8 text may hold. Only such
    // an escape yields the byte ED followed by A0 to BF, so text without ED needs no closer look.
    static bool IsWholeText(const char* AText, size_t ALength) noexcept {
        const std::string_view text(AText, ALength);
        return text.find('\xED') == std::string_view::npos || IsValidUtf8(text);
    }

    // Refuses the string just read, as the reader refuses a high surrogate without its low one,
    // naming the string's first character. The reader stands behind its closing quotation mark;
    // its opening one is the nearest quotation mark before that which no backslash escapes.
    bool RefuseString() {
        const char* text = FStream.begin_;
        size_t quote = FStream.Tell() - 1;
        for (;;) {
            quote = std::string_view(text, quote).rfind('"');
            if (quote == std::string_view::npos) { // cannot happen: the string was opened
                quote = 0;
                break;
            }
            size_t backslashes = 0;
            while (backslashes < quote && text[quote - 1 - backslashes] == '\\')
                ++backslashes;
            if (backslashes % 2 == 0)
                break;
        }
        FRefusedReason =
            rapidjson::GetParseError_En(rapidjson::kParseErrorStringUnicodeSurrogateInvalid);
        FRefusedOffset = quote + 1;
        return false;
    }

    // Declared first: the nodes on the scratch stacks below live in it.
    std::unique_ptr<JsonArena> FArena;
    const rapidjson::MemoryStream& FStream;
    std::vector<OpenContainer> FOpen;
    std::vector<JsonMember> FMembers;
    std::vector<std::unique_ptr<JsonValue>> FItems;
    std::unique_ptr<JsonValue> FRoot;
    std::string FRefusedReason;
    size_t FRefusedOffset = 0;
};

[[noreturn]] void RaiseParseError(std::string_view AText, size_t AOffset,
                                  const std::string& AReason) {
    if (AOffset > AText.size())
        AOffset = AText.size();
    size_t line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < AOffset; ++i) {
        if (AText[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    size_t column = 1;
    for (size_t i = lineStart; i < AOffset; ++i)
        if ((static_cast<unsigned char>(AText[i]) & 0xC0) != 0x80) // not a continuation byte
            ++column;
    throw EJSONParseError(Format("Invalid JSON at line %u, column %u: %s", {line, column, AReason}),
                          line, column, AReason);
}

} // namespace

std::unique_ptr<JsonValue> ParseJson(std::string_view AText) {
    rapidjson::MemoryStream stream(AText.data(), AText.size());
    TreeBuilder builder(stream);
    rapidjson::Reader reader;
    const rapidjson::ParseResult result = reader.Parse<kParseFlags>(stream, builder);
    if (!builder.RefusedReason().empty())
        RaiseParseError(AText, builder.RefusedOffset(), builder.RefusedReason());
    if (result.IsError())
        RaiseParseError(AText, result.Offset(), rapidjson::GetParseError_En(result.Code()));
    // The reader takes a NUL character for the end of the text; what follows one is no JSON.
    if (stream.Tell() != AText.size())
        RaiseParseError(AText, stream.Tell(),
                        rapidjson::GetParseError_En(rapidjson::kParseErrorDocumentRootNotSingular));
    return builder.TakeRoot();
}
