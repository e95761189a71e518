#pragma once

// The program's JSON values: an ordered tree of objects, arrays, strings, numbers, booleans and
// null. Object members keep the order in which they were added, repeated names included; a
// look-up by name finds the first. A container owns its children. Trees of any depth are
// destroyed without recursion, so a deeply nested tree cannot exhaust the stack.
//
// Values are made with std::make_unique and owned by std::unique_ptr. The reader places the
// nodes of a parsed tree in a JsonArena that the tree's root owns, which spares a large file a
// million separate allocations; deleting such a node runs its destructor and leaves its memory
// to the arena.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

enum class JsonKind { Null, Boolean, Number, String, Object, Array };

class JsonObject;
class JsonArray;
class JsonArena;

class JsonValue {
public:
    virtual ~JsonValue() = default;
    // Destroys the value and frees its memory unless an arena holds it.
    static void operator delete(JsonValue* AValue, std::destroying_delete_t);
    // Frees the memory of a value whose constructor failed.
    static void operator delete(void* AMemory) noexcept { ::operator delete(AMemory); }
    JsonValue(const JsonValue&) = delete;
    JsonValue& operator=(const JsonValue&) = delete;

    JsonKind Kind() const noexcept { return FKind; }
    bool IsObject() const noexcept { return FKind == JsonKind::Object; }
    bool IsArray() const noexcept { return FKind == JsonKind::Array; }
    // The value as an object or array; nullptr when it is of another kind.
    const JsonObject* AsObject() const noexcept;
    const JsonArray* AsArray() const noexcept;

    // The plain text: a string's content; a number's value in shortest decimal form, digits
    // only when it has no fractional part (514.0 gives 514); the words true, false and null;
    // empty text for an object or an array.
    std::string PlainText() const;
    // The JSON text: a number exactly as written, a string in quotation marks, true, false,
    // null; an object or array in compact form.
    std::string JsonText() const;

protected:
    explicit JsonValue(JsonKind AKind) noexcept : FKind(AKind) {}

private:
    friend class JsonArena;
    JsonKind FKind;
    bool FInArena = false;
};

class JsonNull final : public JsonValue {
public:
    JsonNull() noexcept : JsonValue(JsonKind::Null) {}
};

class JsonBoolean final : public JsonValue {
public:
    explicit JsonBoolean(bool AValue) noexcept : JsonValue(JsonKind::Boolean), FValue(AValue) {}
    bool Value() const noexcept { return FValue; }

private:
    bool FValue;
};

// A number, kept as the text it was written with, so that reading and writing lose nothing.
class JsonNumber final : public JsonValue {
public:
    explicit JsonNumber(int64_t AValue);
    // ANumberText must follow the JSON number grammar; other text raises EConvertError.
    static std::unique_ptr<JsonNumber> FromText(std::string_view ANumberText);

    // For a reader that has checked the grammar itself: JsonNumber(JsonNumber::Valid, text).
    struct ValidText {};
    static constexpr ValidText Valid{};
    JsonNumber(ValidText, std::string_view AText);

    const std::string& Text() const noexcept { return FText; }

private:
    std::string FText;
};

class JsonString final : public JsonValue {
public:
    explicit JsonString(std::string AValue) noexcept
        : JsonValue(JsonKind::String), FValue(std::move(AValue)) {}
    const std::string& Value() const noexcept { return FValue; }

private:
    std::string FValue;
};

struct JsonMember {
    std::string Name;
    std::unique_ptr<JsonValue> Value;
};

class JsonObject final : public JsonValue {
public:
    JsonObject() noexcept;
    // Takes the members in their order; a member without a value raises EArgumentException.
    explicit JsonObject(std::vector<JsonMember> AMembers);
    ~JsonObject() override;

    // Makes room for that many members in all, so that adding them allocates no more.
    void Reserve(size_t ACount) { FMembers.reserve(ACount); }
    // Appends a member, also when the name is taken already.
    void Add(std::string AName, std::unique_ptr<JsonValue> AValue);
    void AddString(std::string AName, std::string AValue);
    void AddNumber(std::string AName, int64_t AValue);
    void AddBoolean(std::string AName, bool AValue);

    size_t Count() const noexcept { return FMembers.size(); }
    const std::vector<JsonMember>& Members() const noexcept { return FMembers; }
    // The value of the first member of that exact name; nullptr when there is none.
    const JsonValue* Find(std::string_view AName) const noexcept;

private:
    friend class JsonTreeDismantler;
    friend class JsonArena;
    // Set on the root of a parsed tree; declared first so that it outlives the members.
    std::unique_ptr<JsonArena> FArena;
    std::vector<JsonMember> FMembers;
};

class JsonArray final : public JsonValue {
public:
    JsonArray() noexcept;
    // Takes the elements in their order; an empty element raises EArgumentException.
    explicit JsonArray(std::vector<std::unique_ptr<JsonValue>> AItems);
    ~JsonArray() override;

    void Add(std::unique_ptr<JsonValue> AValue);

    size_t Count() const noexcept { return FItems.size(); }
    const std::vector<std::unique_ptr<JsonValue>>& Items() const noexcept { return FItems; }
    // The element at AIndex; an index outside the array raises EArgumentOutOfRangeException.
    const JsonValue& Item(size_t AIndex) const;

private:
    friend class JsonTreeDismantler;
    friend class JsonArena;
    // Set on the root of a parsed tree; declared first so that it outlives the elements.
    std::unique_ptr<JsonArena> FArena;
    std::vector<std::unique_ptr<JsonValue>> FItems;
};
