// Helpers for the shell tests: waiting on the event loop, refusing file access
// to a superuser, closing modal boxes.
#pragma once

#include <QString>
#include <functional>
#include <memory>

// Runs the event loop until `done` is true or `timeoutMs` passes; returns `done()`.
bool waitUntil(const std::function<bool()>& done, int timeoutMs = 5000);

// While alive, file permission bits apply to this thread even for root, so a
// test can see "permission denied" the way an ordinary user would.
class PermissionChecks {
public:
    PermissionChecks();
    ~PermissionChecks();
    PermissionChecks(const PermissionChecks&) = delete;
    PermissionChecks& operator=(const PermissionChecks&) = delete;

private:
    bool m_dropped = false;
};

// Arranges for the next modal message box to be read and closed; returns where
// its title and text will be stored ("title\ntext").
std::shared_ptr<QString> closeNextMessageBox();
