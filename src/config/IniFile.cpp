#include "config/IniFile.h"

#include "common/core/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zx {

struct IniFile::Line {
    enum Kind { Other, Section, Key };
    Kind kind = Other;
    QString text; // the whole line as stored (decoded)
    QString name; // section name or key name, trimmed
    QString value; // key value as read
};

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimBlanks(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && isBlank(s.at(b)))
        ++b;
    while (e > b && isBlank(s.at(e - 1)))
        --e;
    return s.mid(b, e - b);
}

bool quotedPair(const QString &v)
{
    if (v.size() < 2)
        return false;
    const QChar f = v.front();
    return (f == QLatin1Char('"') || f == QLatin1Char('\'')) && v.back() == f;
}

// What is written after "key=": the value itself unless reading would change it
// (blanks at either end, or a pair of enclosing quotes), then in double quotes, which
// the profile functions take off again.
QString storedForm(const QString &value)
{
    if (value.isEmpty())
        return value;
    if (isBlank(value.front()) || isBlank(value.back()) || quotedPair(value))
        return QLatin1Char('"') + value + QLatin1Char('"');
    return value;
}

bool sameName(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

bool hasBreakOrNul(const QString &s)
{
    return s.contains(QLatin1Char('\r')) || s.contains(QLatin1Char('\n'))
        || s.contains(QChar(u'\0'));
}

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{
}

bool IniFile::exists() const
{
    return QFileInfo::exists(m_path);
}

QList<IniFile::Line> IniFile::parse(const QByteArray &raw)
{
    QList<Line> lines;
    QByteArray data = raw;
    // A file saved by an editor as UTF-8 with a signature still finds its first section.
    const bool bom = data.startsWith("\xEF\xBB\xBF");
    const QList<QByteArray> parts = data.split('\n');
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QByteArray bytes = parts.at(i);
        if (i == parts.size() - 1 && bytes.isEmpty())
            break; // after the final line end
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        Line line;
        line.text = cp1252::decode(bytes);
        QString t = trimBlanks(line.text);
        if (i == 0 && bom)
            t = trimBlanks(cp1252::decode(bytes.mid(3)));
        if (t.startsWith(QLatin1Char('['))) {
            line.kind = Line::Section;
            qsizetype end = t.indexOf(QLatin1Char(']'));
            line.name = trimBlanks(end < 0 ? t.mid(1) : t.mid(1, end - 1));
        } else if (!t.startsWith(QLatin1Char(';')) && t.contains(QLatin1Char('='))) {
            const qsizetype eq = t.indexOf(QLatin1Char('='));
            line.kind = Line::Key;
            line.name = trimBlanks(t.left(eq));
            QString v = trimBlanks(t.mid(eq + 1));
            if (quotedPair(v))
                v = v.mid(1, v.size() - 2);
            line.value = v;
            if (line.name.isEmpty())
                line.kind = Line::Other;
        }
        lines.append(line);
    }
    return lines;
}

bool IniFile::load(QList<Line> &lines, QByteArray &raw) const
{
    lines.clear();
    raw.clear();
    QFile f(m_path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read %1: %2").arg(m_path, f.errorString());
        return false;
    }
    raw = f.readAll();
    lines = parse(raw);
    return true;
}

bool IniFile::save(const QList<Line> &lines, const QByteArray &raw)
{
    QByteArray out;
    for (const Line &l : lines) {
        out += cp1252::encode(l.text);
        out += "\r\n";
    }
    if (out == raw)
        return true;
    QSaveFile f(m_path);
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit()) {
        m_error = QStringLiteral("cannot write %1: %2").arg(m_path, f.errorString());
        return false;
    }
    return true;
}

bool IniFile::sectionExists(const QString &section) const
{
    QList<Line> lines;
    QByteArray raw;
    load(lines, raw);
    for (const Line &l : lines)
        if (l.kind == Line::Section && sameName(l.name, section))
            return true;
    return false;
}

// Index range [begin, end) of the lines after the first header of the section;
// begin == -1 when the section is missing.
std::pair<qsizetype, qsizetype> IniFile::sectionRange(const QList<Line> &lines, const QString &s)
{
    qsizetype begin = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).kind != Line::Section)
            continue;
        if (begin >= 0)
            return { begin, i };
        if (sameName(lines.at(i).name, s))
            begin = i + 1;
    }
    return { begin, lines.size() };
}

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    QList<Line> lines;
    QByteArray raw;
    load(lines, raw);
    const auto [b, e] = sectionRange(lines, section);
    if (b < 0)
        return false;
    for (qsizetype i = b; i < e; ++i)
        if (lines.at(i).kind == Line::Key && sameName(lines.at(i).name, key))
            return true;
    return false;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &def) const
{
    QList<Line> lines;
    QByteArray raw;
    load(lines, raw);
    const auto [b, e] = sectionRange(lines, section);
    if (b < 0)
        return def;
    for (qsizetype i = b; i < e; ++i)
        if (lines.at(i).kind == Line::Key && sameName(lines.at(i).name, key))
            return lines.at(i).value;
    return def;
}

int IniFile::readInteger(const QString &section, const QString &key, int def) const
{
    bool ok = false;
    const int v = readString(section, key).trimmed().toInt(&ok, 10);
    return ok ? v : def;
}

QStringList IniFile::keys(const QString &section) const
{
    QList<Line> lines;
    QByteArray raw;
    load(lines, raw);
    QStringList out;
    const auto [b, e] = sectionRange(lines, section);
    for (qsizetype i = qMax<qsizetype>(b, 0); b >= 0 && i < e; ++i)
        if (lines.at(i).kind == Line::Key && !out.contains(lines.at(i).name, Qt::CaseInsensitive))
            out << lines.at(i).name;
    return out;
}

bool IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    m_error.clear();
    if (hasBreakOrNul(value)) {
        m_error = QStringLiteral("value of %1 holds a line break or NUL").arg(key);
        return false;
    }
    const QString sec = trimBlanks(section);
    const QString k = trimBlanks(key);
    if (sec.isEmpty() || hasBreakOrNul(sec) || sec.contains(QLatin1Char(']')) || k.isEmpty()
        || hasBreakOrNul(k) || k.contains(QLatin1Char('=')) || k.startsWith(QLatin1Char('['))
        || k.startsWith(QLatin1Char(';'))) {
        m_error = QStringLiteral("section or key name not storable: [%1] %2").arg(section, key);
        return false;
    }
    QList<Line> lines;
    QByteArray raw;
    if (!load(lines, raw))
        return false; // never replace a file we could not read

    Line kl;
    kl.kind = Line::Key;
    kl.name = k;
    kl.value = value;
    const auto [b, e] = sectionRange(lines, sec);
    if (b < 0) {
        Line sl;
        sl.kind = Line::Section;
        sl.name = sec;
        sl.text = QLatin1Char('[') + sec + QLatin1Char(']');
        kl.text = k + QLatin1Char('=') + storedForm(value);
        lines << sl << kl;
        return save(lines, raw);
    }
    for (qsizetype i = b; i < e; ++i) {
        Line &l = lines[i];
        if (l.kind == Line::Key && sameName(l.name, k)) {
            if (l.value == value)
                return true; // same text: the line stays exactly as it was written
            l.value = value;
            l.text = l.name + QLatin1Char('=') + storedForm(value);
            return save(lines, raw);
        }
    }
    // A new key goes after the last non-blank line of its section.
    qsizetype at = b;
    for (qsizetype i = b; i < e; ++i)
        if (!trimBlanks(lines.at(i).text).isEmpty())
            at = i + 1;
    kl.text = k + QLatin1Char('=') + storedForm(value);
    lines.insert(at, kl);
    return save(lines, raw);
}

bool IniFile::deleteKey(const QString &section, const QString &key)
{
    m_error.clear();
    QList<Line> lines;
    QByteArray raw;
    if (!load(lines, raw))
        return false;
    const auto [b, e] = sectionRange(lines, section);
    if (b < 0)
        return true;
    for (qsizetype i = b; i < e; ++i)
        if (lines.at(i).kind == Line::Key && sameName(lines.at(i).name, key)) {
            lines.removeAt(i);
            return save(lines, raw);
        }
    return true;
}

QString IniFile::findIgnoringCase(const QString &path)
{
    const QFileInfo fi(path);
    if (fi.exists())
        return path;
    const QDir dir = fi.dir();
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &n : names)
        if (sameName(n, fi.fileName()))
            return dir.filePath(n);
    return path;
}

bool gravaSeMudou(IniFile &ini, const QString &section, const QString &key, const QString &value)
{
    if (ini.readString(section, key) == value)
        return true;
    return ini.writeString(section, key, value);
}

} // namespace zx
