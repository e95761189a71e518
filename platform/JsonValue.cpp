#include "platform/JsonValue.h"

#include "platform/Errors.h"
#include "platform/JsonArena.h"
#include "platform/JsonWriter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <new>

namespace {

bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

// -?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?
bool IsJsonNumberText(std::string_view AText) noexcept {
    size_t i = 0;
    const size_t n = AText.size();
    auto digits = [&] {
        const size_t start = i;
        while (i < n && IsDigit(AText[i]))
            ++i;
        return i > start;
    };
    if (i < n && AText[i] == '-')
        ++i;
    if (i < n && AText[i] == '0')
        ++i;
    else if (!digits())
        return false;
    if (i < n && AText[i] == '.') {
        ++i;
        if (!digits())
            return false;
    }
    if (i < n && (AText[i] == 'e' || AText[i] == 'E')) {
        ++i;
        if (i < n && (AText[i] == '+' || AText[i] == '-'))
            ++i;
        if (!digits())
            return false;
    }
    return i == n;
}

// The shortest decimal form of a number's value. A value beyond the range of a double keeps
// the text it was written with; that text is never a 32-bit integer either.
std::string NumberPlainText(const std::string& AText) {
    // Integers of up to 15 digits are exact in a double and JSON allows no leading zeros, so
    // their text is already the shortest form; this is the common case and needs no conversion.
    const size_t sign = !AText.empty() && AText[0] == '-' ? 1 : 0;
    if (AText.size() - sign <= 15 && AText.size() > sign) {
        bool integer = true;
        for (size_t i = sign; i < AText.size() && integer; ++i)
            integer = IsDigit(AText[i]);
        if (integer)
            return AText;
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(AText.data(), AText.data() + AText.size(), value);
    if (ec != std::errc() || end != AText.data() + AText.size() || !std::isfinite(value))
        return AText;
    char buffer[400]; // a fixed-point double needs at most 309 digits and a sign
    const bool integral = value == std::trunc(value);
    const auto result = integral ? std::to_chars(buffer, buffer + sizeof buffer, value,
                                                 std::chars_format::fixed)
                                 : std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc())
        return AText;
    return std::string(buffer, result.ptr);
}

} // namespace

// Frees trees without recursion: the destructor of a container moves its non-empty container
// children to a work list and frees them one by one, each after its own such children have been
// moved out. No destructor therefore reaches more than one level down.
//
// A root that owns an arena must outlive every node in it, so it is never taken apart from
// outside: when one stands inside another tree, its own destructor frees its nodes first.
class JsonTreeDismantler {
public:
    static void Dismantle(JsonValue& ARoot) noexcept {
        std::vector<std::unique_ptr<JsonValue>> pending; // allocates only when there is work
        TakeNested(ARoot, pending);
        while (!pending.empty()) {
            std::unique_ptr<JsonValue> next = std::move(pending.back());
            pending.pop_back();
            if (!OwnsArena(*next))
                TakeNested(*next, pending);
        }
    }

private:
    static bool OwnsArena(const JsonValue& AValue) noexcept {
        if (AValue.Kind() == JsonKind::Object)
            return static_cast<const JsonObject&>(AValue).FArena != nullptr;
        if (AValue.Kind() == JsonKind::Array)
            return static_cast<const JsonArray&>(AValue).FArena != nullptr;
        return false;
    }

    static bool IsNonEmptyContainer(const JsonValue* AValue) noexcept {
        if (AValue == nullptr)
            return false;
        if (const JsonObject* object = AValue->AsObject())
            return object->Count() > 0;
        if (const JsonArray* array = AValue->AsArray())
            return array->Count() > 0;
        return false;
    }

    static void TakeOne(std::unique_ptr<JsonValue>& AChild,
                        std::vector<std::unique_ptr<JsonValue>>& APending) noexcept {
        if (!IsNonEmptyContainer(AChild.get()))
            return;
        try {
            APending.push_back(std::move(AChild)); // leaves AChild untouched when it throws
        } catch (const std::bad_alloc&) {
            // No memory for the work list: free this branch in the ordinary, recursive way.
            AChild.reset();
        }
    }

    static void TakeNested(JsonValue& AValue,
                           std::vector<std::unique_ptr<JsonValue>>& APending) noexcept {
        if (AValue.Kind() == JsonKind::Object) {
            for (JsonMember& member : static_cast<JsonObject&>(AValue).FMembers)
                TakeOne(member.Value, APending);
        } else if (AValue.Kind() == JsonKind::Array) {
            for (std::unique_ptr<JsonValue>& item : static_cast<JsonArray&>(AValue).FItems)
                TakeOne(item, APending);
        }
    }
};

void JsonValue::operator delete(JsonValue* AValue, std::destroying_delete_t) {
    const bool inArena = AValue->FInArena;
    AValue->~JsonValue();
    if (!inArena)
        ::operator delete(AValue);
}

void* JsonArena::Allocate(size_t ASize, size_t AAlignment) {
    size_t padding = (AAlignment - reinterpret_cast<uintptr_t>(FNext) % AAlignment) % AAlignment;
    if (FNext == nullptr || padding + ASize > FLeft) {
        // Blocks grow with the tree, so that a small text takes little memory and a large one
        // few blocks. A new block is aligned for every fundamental type.
        const size_t size = std::max(FNextBlockSize, ASize);
        FBlocks.push_back(std::make_unique_for_overwrite<std::byte[]>(size));
        FNext = FBlocks.back().get();
        FLeft = size;
        FNextBlockSize = std::min<size_t>(FNextBlockSize * 2, size_t{1} << 20);
        padding = 0;
    }
    FNext += padding;
    void* memory = FNext;
    FNext += ASize;
    FLeft -= padding + ASize;
    return memory;
}

const JsonObject* JsonValue::AsObject() const noexcept {
    return FKind == JsonKind::Object ? static_cast<const JsonObject*>(this) : nullptr;
}

const JsonArray* JsonValue::AsArray() const noexcept {
    return FKind == JsonKind::Array ? static_cast<const JsonArray*>(this) : nullptr;
}

std::string JsonValue::PlainText() const {
    switch (FKind) {
    case JsonKind::Null:
        return "null";
    case JsonKind::Boolean:
        return static_cast<const JsonBoolean*>(this)->Value() ? "true" : "false";
    case JsonKind::Number:
        return NumberPlainText(static_cast<const JsonNumber*>(this)->Text());
    case JsonKind::String:
        return static_cast<const JsonString*>(this)->Value();
    case JsonKind::Object:
    case JsonKind::Array:
        break;
    }
    return {};
}

std::string JsonValue::JsonText() const {
    switch (FKind) {
    case JsonKind::Number:
        return static_cast<const JsonNumber*>(this)->Text();
    case JsonKind::String:
        return JsonQuotedString(static_cast<const JsonString*>(this)->Value());
    case JsonKind::Null:
    case JsonKind::Boolean:
        return PlainText();
    case JsonKind::Object:
    case JsonKind::Array:
        break;
    }
    return JsonCompactText(*this);
}

JsonNumber::JsonNumber(int64_t AValue) : JsonValue(JsonKind::Number), FText(std::to_string(AValue)) {}

JsonNumber::JsonNumber(ValidText, std::string_view AText)
    : JsonValue(JsonKind::Number), FText(AText) {}

std::unique_ptr<JsonNumber> JsonNumber::FromText(std::string_view ANumberText) {
    if (!IsJsonNumberText(ANumberText))
        throw EConvertError("'" + std::string(ANumberText) + "' is not a valid JSON number");
    return std::make_unique<JsonNumber>(Valid, ANumberText);
}

JsonObject::JsonObject() noexcept : JsonValue(JsonKind::Object) {}

JsonObject::JsonObject(std::vector<JsonMember> AMembers)
    : JsonValue(JsonKind::Object), FMembers(std::move(AMembers)) {
    for (const JsonMember& member : FMembers)
        if (!member.Value)
            throw EArgumentException("A JSON member needs a value");
}

JsonObject::~JsonObject() { JsonTreeDismantler::Dismantle(*this); }

void JsonObject::Add(std::string AName, std::unique_ptr<JsonValue> AValue) {
    if (!AValue)
        throw EArgumentException("A JSON member needs a value");
    FMembers.push_back(JsonMember{std::move(AName), std::move(AValue)});
}

void JsonObject::AddString(std::string AName, std::string AValue) {
    Add(std::move(AName), std::make_unique<JsonString>(std::move(AValue)));
}

void JsonObject::AddNumber(std::string AName, int64_t AValue) {
    Add(std::move(AName), std::make_unique<JsonNumber>(AValue));
}

void JsonObject::AddBoolean(std::string AName, bool AValue) {
    Add(std::move(AName), std::make_unique<JsonBoolean>(AValue));
}

const JsonValue* JsonObject::Find(std::string_view AName) const noexcept {
    for (const JsonMember& member : FMembers)
        if (member.Name == AName)
            return member.Value.get();
    return nullptr;
}

JsonArray::JsonArray() noexcept : JsonValue(JsonKind::Array) {}

JsonArray::JsonArray(std::vector<std::unique_ptr<JsonValue>> AItems)
    : JsonValue(JsonKind::Array), FItems(std::move(AItems)) {
    for (const std::unique_ptr<JsonValue>& item : FItems)
        if (!item)
            throw EArgumentException("A JSON array element needs a value");
}

JsonArray::~JsonArray() { JsonTreeDismantler::Dismantle(*this); }

void JsonArray::Add(std::unique_ptr<JsonValue> AValue) {
    if (!AValue)
        throw EArgumentException("A JSON array element needs a value");
    FItems.push_back(std::move(AValue));
}

const JsonValue& JsonArray::Item(size_t AIndex) const {
    if (AIndex >= FItems.size())
        throw EArgumentOutOfRangeException();
    return *FItems[AIndex];
}
