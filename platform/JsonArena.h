#pragma once

// Memory for the nodes of one parsed JSON tree, handed out in large blocks and freed at once
// with the tree's root. Only the reader uses it.

#include "platform/JsonValue.h"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

class JsonArena {
public:
    JsonArena() = default;
    JsonArena(const JsonArena&) = delete;
    JsonArena& operator=(const JsonArena&) = delete;

    // A new value in the arena. Deleting it runs its destructor only; its memory stays here.
    template <typename T, typename... Args>
    std::unique_ptr<T> Make(Args&&... AArgs) {
        void* memory = Allocate(sizeof(T), alignof(T));
        T* value = ::new (memory) T(std::forward<Args>(AArgs)...);
        static_cast<JsonValue*>(value)->FInArena = true;
        return std::unique_ptr<T>(value);
    }

    // Hands the arena to the root of its tree, which frees it after all of its nodes.
    template <typename Container>
    static void GiveTo(std::unique_ptr<JsonArena> AArena, Container& ARoot) noexcept {
        ARoot.FArena = std::move(AArena);
    }

private:
    void* Allocate(size_t ASize, size_t AAlignment);

    std::vector<std::unique_ptr<std::byte[]>> FBlocks;
    std::byte* FNext = nullptr;
    size_t FLeft = 0;
    size_t FNextBlockSize = 4096;
};
