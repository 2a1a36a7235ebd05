#pragma once
// Whole-file reads and writes for the tests that check the bytes of settings files.
#include <QByteArray>
#include <QString>

namespace configtest {

// The file's bytes; empty when it cannot be opened.
QByteArray readAll(const QString &path);
// Replaces the file with `bytes`; fails the running test when it cannot be opened.
void writeAll(const QString &path, const QByteArray &bytes);

} // namespace configtest
