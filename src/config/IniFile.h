#pragma once
// An INI file read and written the way the Windows profile functions do it, so that
// kv.ini and configura.ini stay interchangeable with the Windows stations:
// - every call reads the file afresh (other program folders on the drive share kv.ini);
// - sections and keys match whatever their case; the first occurrence wins;
// - values are raw Windows-1252 text; blanks around a value are not part of it, and a
//   value enclosed in a pair of matching quotes is read without them;
// - lines the program does not know (comments, other keys, blank lines) stay as they are;
// - the file is rewritten only when its bytes change, with CR LF line ends.
// Qt Core only.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>

namespace zx {

class IniFile {
public:
    explicit IniFile(const QString &path);

    QString fileName() const { return m_path; }
    bool exists() const;

    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    // The stored text, or def when the key (or the file) is missing.
    QString readString(
        const QString &section, const QString &key, const QString &def = QString()) const;
    // The stored text read as a decimal whole number; def when missing or unreadable.
    int readInteger(const QString &section, const QString &key, int def) const;
    // Keys of a section in file order (first spelling of each).
    QStringList keys(const QString &section) const;

    // Stores one value (adding the section and key when missing). False, with
    // errorString() set, when the value holds a line break or NUL, when the names are
    // not storable, or when the file cannot be read or written; the file is then left
    // as it was.
    bool writeString(const QString &section, const QString &key, const QString &value);
    bool deleteKey(const QString &section, const QString &key);

    QString errorString() const { return m_error; }

    // The path of an existing file whose name matches the last component of path
    // without regard to case (KV.INI for kv.ini), as Windows finds it; path itself
    // when there is none or it exists as given.
    static QString findIgnoringCase(const QString &path);

private:
    struct Line;
    bool load(QList<Line> &lines, QByteArray &raw) const;
    bool save(const QList<Line> &lines, const QByteArray &raw);
    static QList<Line> parse(const QByteArray &raw);
    static std::pair<qsizetype, qsizetype> sectionRange(
        const QList<Line> &lines, const QString &section);

    QString m_path;
    mutable QString m_error;
};

// Writes the value only when it differs from the stored text (a missing key counts as
// empty, so an empty value never creates a key). True when the file now holds the
// value (unchanged or written); false when writing failed.
bool gravaSeMudou(IniFile &ini, const QString &section, const QString &key, const QString &value);

} // namespace zx
