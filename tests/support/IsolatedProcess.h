#pragma once

// Tests of functions that read machine-wide files (/etc/hosts, /etc/passwd, /etc/machine-id) or
// the host name run them in a child process with mount and host-name namespaces of its own. There
// the test replaces those files and names freely; the machine and the test program itself are
// never touched.

#include <functional>
#include <optional>
#include <string>

// Runs ABody in such a child and returns the text it returned; an exception escaping ABody comes
// back as "exception: <what()>". Returns nothing when the machine does not permit the namespaces
// (no root, or a container without the capability); the caller then skips its test.
std::optional<std::string> RunIsolated(const std::function<std::string()>& ABody);
inline constexpr char kNoNamespaces[] =
    "this machine does not permit mount and host-name namespaces";

// Inside RunIsolated only. Each raises std::runtime_error on failure.
// An empty, writable folder in place of APath (a tmpfs mount over it).
void MountEmptyFolder(const std::string& APath);
// A file readable by every user with the given contents.
void WriteIsolatedFile(const std::string& APath, const std::string& AContents);
void SetIsolatedHostName(const std::string& AName);
