#pragma once
// Shared helpers for the QtTest suites.
#include <QApplication>
#include <QString>
#include <QTest>
#include <QWidget>

namespace zxtest {

// Describes where the keyboard focus and the modal widget are, for failure messages.
QString focusReport();

// Finds a descendant of root by objectName; fails the test (with the focused and
// modal widget names) when it is missing or of another type.
template <typename T> T *byName(QObject *root, const QString &name)
{
    T *w = root ? root->findChild<T *>(name) : nullptr;
    if (!w && root && root->objectName() == name)
        w = qobject_cast<T *>(root);
    if (!w)
        QTest::qFail(qPrintable(QStringLiteral("widget '%1' not found under '%2'; %3")
                                    .arg(name, root ? root->objectName() : QStringLiteral("null"),
                                         focusReport())),
                     __FILE__, __LINE__);
    return w;
}

// Path of a file under tests/ (fixtures, golden files).
QString sourcePath(const QString &relative);

// True when golden files should be rewritten (ZX_UPDATE_GOLDEN=1).
bool updateGolden();

} // namespace zxtest

// Fails the current test function when byName found nothing.
#define ZX_FIND(Type, var, root, name)                                                            \
    Type *var = zxtest::byName<Type>(root, name);                                                  \
    if (!var)                                                                                      \
        return;
