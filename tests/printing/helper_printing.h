#pragma once
// Shared fixtures of the printing tests.
#include <QByteArray>
#include <QString>

namespace printtest {

QByteArray readFile(const QString &path);
void writeKv(const QString &root, const QString &key, const QString &value);
QString readKv(const QString &root, const QString &key);

} // namespace printtest
