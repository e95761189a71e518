#pragma once

// Tests of functions that read machine-wide files (/etc/hosts, /etc/passwd, /etc/machine-id) or
// the host name run them in a child process with mount and host-name namespaces of its own. There
// the test replaces those files and names freely; the machine and the test program itself are
// never touched.

#include <functional>
#include <optional>
#include <string>
#include <sys/types.h>

// Runs ABody in such a child and returns the text it returned; an exception escaping ABody comes
// back as "exception: <what()>". Returns nothing when the machine does not permit the namespaces
// (no root, or a container without the capability) or a step of the isolation below; the caller
// then skips its test.
std::optional<std::string> RunIsolated(const std::function<std::string()>& ABody);
inline constexpr char kNoNamespaces[] =
    "this machine does not permit an isolated process (namespaces, mounts or other users)";

// Inside RunIsolated only. Each raises std::runtime_error on failure. Where the machine refuses
// the step itself (no permission, a user the container does not map), the child ends as if the
// namespaces were not permitted, and the caller skips its test rather than failing it.
// An empty, writable folder in place of APath (a tmpfs mount over it).
void MountEmptyFolder(const std::string& APath);
// A file readable by every user with the given contents.
void WriteIsolatedFile(const std::string& APath, const std::string& AContents);
void SetIsolatedHostName(const std::string& AName);
void SetIsolatedEffectiveUser(uid_t AUid);
// An empty /etc whose users, groups and hosts are looked up in its files alone (the caller writes
// /etc/passwd and /etc/hosts), with the machine's name-service cache daemon out of reach, so
// that no cached or remote answer of the machine takes the files' place.
void UseIsolatedNameServices();
