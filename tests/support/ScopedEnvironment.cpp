#include "support/ScopedEnvironment.h"

#include <algorithm>
#include <cstdlib>
#include <ranges>
#include <stdexcept>

ScopedEnvironment::~ScopedEnvironment() {
    // Latest first, so a variable changed twice ends with its value from before the first change.
    for (const auto& [name, value] : std::views::reverse(FSaved)) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
}

void ScopedEnvironment::Set(const std::string& AName, const std::string& AValue) {
    Remember(AName);
    if (::setenv(AName.c_str(), AValue.c_str(), 1) != 0)
        throw std::runtime_error("cannot set " + AName);
}

void ScopedEnvironment::Unset(const std::string& AName) {
    Remember(AName);
    ::unsetenv(AName.c_str());
}

void ScopedEnvironment::Remember(const std::string& AName) {
    const char* value = std::getenv(AName.c_str());
    FSaved.emplace_back(AName, value != nullptr ? std::optional<std::string>(value) : std::nullopt);
}
