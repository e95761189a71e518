#pragma once

// Sets or removes environment variables for the life of one object and restores their former
// values afterwards, so a test can point the program's user folders at a temporary folder.

#include <optional>
#include <string>
#include <vector>

class ScopedEnvironment {
public:
    ScopedEnvironment() = default;
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

    void Set(const std::string& AName, const std::string& AValue);
    void Unset(const std::string& AName);

private:
    void Remember(const std::string& AName);
    std::vector<std::pair<std::string, std::optional<std::string>>> FSaved;
};
