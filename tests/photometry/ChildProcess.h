#pragma once

#include <functional>
#include <string>

// Runs `body` in a forked child and returns the text it produced; a child
// that dies without finishing gives "child died". For tests that change
// what the process may do (its user, its mounts, its limits).
[[nodiscard]] std::string RunInChild(const std::function<std::string()>& body);

// In a child: becomes user and group "nobody" when running as root, so that
// permission bits apply (they do not stop root). False when that failed.
[[nodiscard]] bool DropRootPrivileges();

// In a child: moves into a mount namespace of its own whose mounts vanish
// with it. False without the privilege to do so.
[[nodiscard]] bool PrivateMounts();
