#pragma once
// Starts the host application and lets it go: the launcher neither waits for it nor watches it.

#include <string>

namespace stockmark {

class HostProcess {
public:
    // Runs `fileName` from the current directory (never a search of PATH), with no arguments,
    // the launcher's environment and directory, and no descriptors beyond the standard three.
    // A host that cannot be started goes unreported. The host is the child of a short-lived
    // intermediate process, so it never becomes the launcher's zombie and lives on after it.
    static void startDetached(const std::string& fileName);
};

} // namespace stockmark
