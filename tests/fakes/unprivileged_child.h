#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace etq::test {

// Runs `work` in a forked child process and hands back the bytes it returned. When the tests
// run as root, the child first becomes user and group nobody (65534), because root reads and
// writes files whatever their permissions say; otherwise the child keeps the caller's user.
// Returns nothing, with `problem` set, when the child could not drop its privileges or did not
// end normally (a child still at work after a minute is ended).
std::optional<QByteArray> runUnprivileged(const std::function<QByteArray()>& work,
                                          QString& problem);

// Sets the permission bits of a path; false when that fails.
bool setMode(const QString& path, unsigned mode);

}  // namespace etq::test
