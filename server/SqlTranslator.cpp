#include "SqlTranslator.h"

#include "common/core/Money.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace zx::server {

namespace {

struct Tok {
    enum Type { Ident, Number, String, Marker, Punct };
    Type type = Punct;
    QString text; // Ident, Number, Punct: as written; String: unescaped content; Marker: value
    bool bound = false;
    QVariant bind;
    bool castStart = false; // colref compared numerically: "CAST(" before this token
    bool castEnd = false; // ... " AS INTEGER)" after this one
    int depth = 0; // parenthesis depth

    QString lower() const { return text.toLower(); }
    bool is(const char *word) const
    {
        return type == Ident && text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
    }
    bool isPunct(const char *p) const { return type == Punct && text == QLatin1String(p); }
    bool isValue() const { return type == Marker || type == String || type == Number; }
};

const QSet<QString> &keywords()
{
    static const QSet<QString> k = { "select", "from", "where", "join", "left", "right", "inner",
        "outer", "cross", "on", "and", "or", "not", "group", "order", "by", "having", "limit",
        "offset", "as", "set", "values", "into", "union", "all", "distinct", "is", "null", "like",
        "in", "between", "exists", "case", "when", "then", "else", "end", "asc", "desc", "using",
        "natural", "update", "insert", "glob", "escape", "collate", "except", "intersect",
        "default", "full" };
    return k;
}

const QSet<QString> &forbiddenWords()
{
    static const QSet<QString> k
        = { "attach", "detach", "pragma", "drop", "delete", "create", "alter", "vacuum", "reindex",
              "analyze", "savepoint", "release", "rollback", "commit", "begin", "transaction",
              "with", "returning", "indexed", "temp", "temporary", "trigger", "view" };
    return k;
}

const QSet<QString> &allowedFunctions()
{
    static const QSet<QString> k = { "count", "sum", "min", "max", "avg", "total", "coalesce",
        "ifnull", "nullif", "upper", "lower", "trim", "ltrim", "rtrim", "substr", "substring",
        "length", "abs", "round", "cast", "instr", "replace", "date", "strftime", "iif" };
    return k;
}

bool isKeyword(const Tok &t)
{
    return t.type == Tok::Ident && keywords().contains(t.lower());
}

struct Lexed {
    QList<Tok> toks;
    QString error;
};

Lexed tokenize(const QString &s)
{
    Lexed out;
    auto fail = [&](const QString &e) {
        out.error = e;
        out.toks.clear();
        return out;
    };
    int depth = 0;
    const qsizetype n = s.size();
    qsizetype i = 0;
    bool ended = false; // a ";" was read
    while (i < n) {
        const QChar c = s.at(i);
        if (c == u' ' || c == u'\t' || c == u'\r' || c == u'\n') {
            ++i;
            continue;
        }
        if (ended)
            return fail(QStringLiteral("Apenas um comando SQL por chamada"));
        Tok t;
        t.depth = depth;
        if (s.mid(i, 7).compare(QLatin1String("ENCRIP["), Qt::CaseInsensitive) == 0) {
            const qsizetype close = s.indexOf(u']', i + 7);
            if (close < 0)
                return fail(QStringLiteral("Marcador ENCRIP sem fechamento"));
            t.type = Tok::Marker;
            t.text = s.mid(i + 7, close - i - 7);
            i = close + 1;
        } else if ((c.isLetter() && c.unicode() < 128) || c == u'_') {
            qsizetype j = i + 1;
            while (j < n
                && ((s.at(j).isLetterOrNumber() && s.at(j).unicode() < 128) || s.at(j) == u'_'))
                ++j;
            t.type = Tok::Ident;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (c.isDigit() && c.unicode() < 128) {
            qsizetype j = i;
            while (j < n && s.at(j).isDigit() && s.at(j).unicode() < 128)
                ++j;
            if (j < n && s.at(j) == u'.' && j + 1 < n && s.at(j + 1).isDigit()) {
                ++j;
                while (j < n && s.at(j).isDigit() && s.at(j).unicode() < 128)
                    ++j;
            }
            if (j < n && (s.at(j).isLetter() || s.at(j) == u'_'))
                return fail(QStringLiteral("Número mal formado no SQL"));
            t.type = Tok::Number;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (c == u'\'') {
            QString v;
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (s.at(j) == u'\'') {
                    if (j + 1 < n && s.at(j + 1) == u'\'') {
                        v += u'\'';
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                v += s.at(j++);
            }
            if (!closed)
                return fail(QStringLiteral("Texto entre aspas sem fechamento"));
            t.type = Tok::String;
            t.text = v;
            i = j;
        } else {
            static const char *const two[] = { "<>", "<=", ">=", "!=", "==", "||" };
            t.type = Tok::Punct;
            const QString pair = s.mid(i, 2);
            if (pair == QLatin1String("--") || pair == QLatin1String("/*"))
                return fail(QStringLiteral("Comentários não são aceitos no SQL"));
            bool matched = false;
            for (const char *p : two)
                if (pair == QLatin1String(p)) {
                    t.text = pair;
                    i += 2;
                    matched = true;
                    break;
                }
            if (!matched) {
                if (!QStringLiteral("(),.=<>+-*/%;").contains(c))
                    return fail(QStringLiteral("Caractere não permitido no SQL: %1").arg(c));
                t.text = c;
                ++i;
            }
            if (t.text == QLatin1String(";")) {
                ended = true;
                continue;
            }
            if (t.text == QLatin1String("("))
                ++depth;
            else if (t.text == QLatin1String(")")) {
                if (--depth < 0)
                    return fail(QStringLiteral("Parênteses desbalanceados no SQL"));
                t.depth = depth;
            }
        }
        out.toks.append(t);
    }
    if (depth != 0)
        return fail(QStringLiteral("Parênteses desbalanceados no SQL"));
    return out;
}

// "dd/mm/yyyy" or "yyyy-mm-dd" (a time after it is ignored) -> QDate.
QDate parseDateText(const QString &v)
{
    static const QRegularExpression br(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));
    const QString t = v.trimmed();
    if (auto m = br.match(t); m.hasMatch())
        return QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    if (auto m = iso.match(t); m.hasMatch())
        return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return {};
}

std::optional<qint64> centsOfSqlNumber(const QString &num)
{
    const qsizetype dot = num.indexOf(u'.');
    const QString whole = dot < 0 ? num : num.left(dot);
    QString frac = dot < 0 ? QString() : num.mid(dot + 1);
    if (frac.size() > 2)
        return std::nullopt; // a fraction of a cent is no amount the stations write
    frac = frac.leftJustified(2, u'0');
    bool ok1 = false, ok2 = false;
    const qint64 w = whole.toLongLong(&ok1);
    const qint64 f = frac.toLongLong(&ok2);
    if (!ok1 || !ok2 || w > 90000000000000000LL)
        return std::nullopt;
    return w * 100 + f;
}

class Translator {
public:
    explicit Translator(QList<Tok> toks)
        : t(std::move(toks))
    {
    }

    SqlTranslation run();

private:
    QList<Tok> t;
    SqlStatement st;
    QHash<QString, const TableDef *> aliases; // alias or table name (lower) -> table
    QList<const TableDef *> topTables; // tables of the outer FROM, in order
    QString error;

    bool fail(const QString &e)
    {
        error = e;
        return false;
    }
    bool at(qsizetype i) const { return i >= 0 && i < t.size(); }

    bool checkWords();
    bool readTables();
    bool readTableRef(qsizetype &j, bool allowList);
    void stripUpdateAlias();
    bool checkFunctions();
    void attribute();
    void attributeInsert();
    // Column name token index of a column reference ending at i (name) or starting at i.
    qsizetype colrefEndingAt(qsizetype i, qsizetype *start) const;
    qsizetype colrefStartingAt(qsizetype i, qsizetype *start) const;
    bool bindForColumn(Tok &v, const QString &column);
    void convert(qsizetype slot, qsizetype nameIdx, qsizetype colStart, bool assignment);
    bool inSetClause(qsizetype i) const;
    void readOutputKinds();
    QString render();
};

bool Translator::checkWords()
{
    if (t.isEmpty())
        return fail(QStringLiteral("Comando SQL vazio"));
    const QString verb = t.first().lower();
    if (t.first().type != Tok::Ident
        || (verb != u"select" && verb != u"insert" && verb != u"update"))
        return fail(QStringLiteral("Somente select, insert e update são aceitos"));
    st.verb = verb == u"select" ? SqlStatement::Verb::Select
        : verb == u"insert"     ? SqlStatement::Verb::Insert
                                : SqlStatement::Verb::Update;
    for (const auto &k : t) {
        if (k.type == Tok::Ident && forbiddenWords().contains(k.lower()))
            return fail(QStringLiteral("Palavra não permitida no SQL: %1").arg(k.text));
        if (k.type == Tok::Ident && k.lower().startsWith(QLatin1String("sqlite_")))
            return fail(QStringLiteral("Tabela não permitida: %1").arg(k.text));
    }
    return true;
}

bool Translator::readTableRef(qsizetype &j, bool allowList)
{
    for (;;) {
        if (!at(j))
            return fail(QStringLiteral("Tabela esperada no SQL"));
        if (t[j].isPunct("(")) {
            // A derived table: its own FROM is read by the outer scan. Skip to its end.
            const int d = t[j].depth;
            ++j;
            while (at(j) && !(t[j].isPunct(")") && t[j].depth == d))
                ++j;
            ++j;
        } else {
            if (t[j].type != Tok::Ident || isKeyword(t[j]))
                return fail(QStringLiteral("Tabela esperada no SQL"));
            if (at(j + 1) && t[j + 1].isPunct("."))
                return fail(QStringLiteral("Tabela não permitida: %1")
                                .arg(t[j].text + u'.' + t.value(j + 2).text));
            const TableDef *def = ServerSchema::table(t[j].text);
            if (!def)
                return fail(QStringLiteral("Tabela não permitida: %1").arg(t[j].text));
            aliases.insert(t[j].lower(), def);
            if (t[j].depth == 0)
                topTables.append(def);
            ++j;
            if (at(j) && t[j].is("as"))
                ++j;
            if (at(j) && t[j].type == Tok::Ident && !isKeyword(t[j])) {
                aliases.insert(t[j].lower(), def);
                ++j;
            }
            // the insert's column list belongs to the statement, not to the reference
        }
        if (allowList && at(j) && t[j].isPunct(",")) {
            ++j;
            continue;
        }
        return true;
    }
}

bool Translator::readTables()
{
    for (qsizetype i = 0; i < t.size(); ++i) {
        const Tok &k = t[i];
        if (k.type != Tok::Ident)
            continue;
        qsizetype j = i + 1;
        if (k.is("from")) {
            if (!readTableRef(j, true))
                return false;
        } else if (k.is("join") || k.is("into") || (i == 0 && k.is("update"))) {
            if (!readTableRef(j, false))
                return false;
        }
    }
    if (aliases.isEmpty() && st.verb != SqlStatement::Verb::Select)
        return fail(QStringLiteral("Tabela esperada no SQL"));
    return true;
}

void Translator::stripUpdateAlias()
{
    if (st.verb != SqlStatement::Verb::Update || t.size() < 3)
        return;
    QSet<QString> names { t[1].lower() };
    if (t[2].type == Tok::Ident && !t[2].is("set")) {
        if (t[2].is("as") && at(3)) {
            names.insert(t[3].lower());
            t.remove(2, 2);
        } else {
            names.insert(t[2].lower());
            t.remove(2);
        }
    }
    for (qsizetype i = 0; i + 2 < t.size(); ++i) {
        if (t[i].type == Tok::Ident && t[i].depth == 0 && names.contains(t[i].lower())
            && t[i + 1].isPunct(".") && t[i + 2].type == Tok::Ident && i > 1) {
            t.remove(i, 2);
        }
    }
}

bool Translator::checkFunctions()
{
    for (qsizetype i = 0; i + 1 < t.size(); ++i) {
        if (t[i].type != Tok::Ident || !t[i + 1].isPunct("(") || isKeyword(t[i]))
            continue;
        if (at(i - 1) && t[i - 1].is("into"))
            continue; // insert into T (columns)
        if (!allowedFunctions().contains(t[i].lower()))
            return fail(QStringLiteral("Função não permitida no SQL: %1").arg(t[i].text));
    }
    return true;
}

qsizetype Translator::colrefEndingAt(qsizetype i, qsizetype *start) const
{
    if (!at(i) || t[i].type != Tok::Ident || isKeyword(t[i]))
        return -1;
    *start = i;
    if (at(i - 2) && t[i - 1].isPunct(".") && t[i - 2].type == Tok::Ident)
        *start = i - 2;
    return i;
}

qsizetype Translator::colrefStartingAt(qsizetype i, qsizetype *start) const
{
    if (!at(i) || t[i].type != Tok::Ident || isKeyword(t[i]))
        return -1;
    *start = i;
    if (at(i + 2) && t[i + 1].isPunct(".") && t[i + 2].type == Tok::Ident)
        return i + 2;
    if (at(i + 1) && t[i + 1].isPunct("("))
        return -1; // a function call, not a column
    return i;
}

bool Translator::inSetClause(qsizetype i) const
{
    if (st.verb != SqlStatement::Verb::Update)
        return false;
    bool inSet = false;
    for (qsizetype k = 0; k <= i && k < t.size(); ++k) {
        if (t[k].depth != 0)
            continue;
        if (t[k].is("set"))
            inSet = true;
        else if (t[k].is("where"))
            inSet = false;
    }
    return inSet;
}

bool Translator::bindForColumn(Tok &v, const QString &column)
{
    if (v.bound)
        return true;
    const auto kind = ServerSchema::kindOf(column);
    if (!kind)
        return false; // an unknown column: a marker still binds as text when emitted
    const bool converted
        = *kind == ColKind::Money || *kind == ColKind::Date || *kind == ColKind::DateTime;
    if (v.type == Tok::Marker || (v.type == Tok::String && converted)) {
        v.bound = true;
        v.bind = storedValue(*kind, v.text);
    } else if (v.type == Tok::Number && *kind == ColKind::Money) {
        if (auto c = centsOfSqlNumber(v.text)) {
            v.bound = true;
            v.bind = *c;
        }
    }
    return v.bound;
}

void Translator::convert(qsizetype slot, qsizetype nameIdx, qsizetype colStart, bool assignment)
{
    Tok &v = t[slot];
    if (bindForColumn(v, t[nameIdx].text) || v.type != Tok::Number || assignment
        || v.text.contains(u'.'))
        return;
    if (ServerSchema::kindOf(t[nameIdx].text) == ColKind::Text) {
        // The stations compare some text identifiers with bare numbers (a CNPJ, a slip
        // number): compare them as numbers, as the station's database did.
        t[colStart].castStart = true;
        t[nameIdx].castEnd = true;
    }
}

void Translator::attribute()
{
    static const QSet<QString> cmp = { "=", "==", "<>", "!=", "<", ">", "<=", ">=" };
    for (qsizetype k = 0; k < t.size(); ++k) {
        const Tok &op = t[k];
        const bool isCmp = (op.type == Tok::Punct && cmp.contains(op.text)) || op.is("like");
        if (isCmp) {
            const qsizetype leftEnd
                = (op.is("like") && at(k - 1) && t[k - 1].is("not")) ? k - 2 : k - 1;
            qsizetype start = -1;
            const qsizetype name = colrefEndingAt(leftEnd, &start);
            if (name >= 0 && at(k + 1) && t[k + 1].isValue()) {
                convert(k + 1, name, start, inSetClause(k));
                continue;
            }
            if (at(k - 1) && t[k - 1].isValue()) {
                const qsizetype rname = colrefStartingAt(k + 1, &start);
                if (rname >= 0)
                    convert(k - 1, rname, start, false);
            }
        } else if (op.is("between")) {
            const qsizetype leftEnd = at(k - 1) && t[k - 1].is("not") ? k - 2 : k - 1;
            qsizetype start = -1;
            const qsizetype name = colrefEndingAt(leftEnd, &start);
            if (name >= 0 && at(k + 3) && t[k + 2].is("and")) {
                if (t[k + 1].isValue())
                    convert(k + 1, name, start, false);
                if (t[k + 3].isValue())
                    convert(k + 3, name, start, false);
            }
        } else if (op.is("in")) {
            const qsizetype leftEnd = at(k - 1) && t[k - 1].is("not") ? k - 2 : k - 1;
            qsizetype start = -1;
            const qsizetype name = colrefEndingAt(leftEnd, &start);
            if (name < 0 || !at(k + 1) || !t[k + 1].isPunct("("))
                continue;
            for (qsizetype j = k + 2; at(j) && !t[j].isPunct(")"); ++j) {
                if (t[j].isValue() && at(j + 1) && (t[j + 1].isPunct(",") || t[j + 1].isPunct(")")))
                    convert(j, name, start, false);
                else if (!t[j].isPunct(","))
                    break; // a sub-select or an expression: left as it is
            }
        }
    }
}

void Translator::attributeInsert()
{
    if (st.verb != SqlStatement::Verb::Insert)
        return;
    qsizetype j = 0;
    while (at(j) && !t[j].is("into"))
        ++j;
    if (!at(j + 1))
        return;
    const TableDef *def = ServerSchema::table(t[j + 1].text);
    j += 2;
    QStringList cols;
    if (at(j) && t[j].isPunct("(")) {
        for (++j; at(j) && !t[j].isPunct(")"); ++j)
            if (t[j].type == Tok::Ident)
                cols << t[j].text;
        ++j;
    } else if (def) {
        for (const auto &c : def->columns)
            cols << c.name;
    }
    if (!at(j) || !t[j].is("values"))
        return;
    ++j;
    while (at(j) && t[j].isPunct("(")) {
        const int d = t[j].depth;
        int col = 0;
        qsizetype itemStart = j + 1;
        for (++j; at(j); ++j) {
            const bool endItem = (t[j].isPunct(",") && t[j].depth == d + 1)
                || (t[j].isPunct(")") && t[j].depth == d);
            if (!endItem)
                continue;
            if (j - itemStart == 1 && t[itemStart].isValue() && col < cols.size())
                bindForColumn(t[itemStart], cols[col]);
            ++col;
            itemStart = j + 1;
            if (t[j].isPunct(")"))
                break;
        }
        ++j;
        if (at(j) && t[j].isPunct(","))
            ++j;
        else
            break;
    }
}

void Translator::readOutputKinds()
{
    if (st.verb != SqlStatement::Verb::Select)
        return;
    qsizetype i = 1;
    if (at(i) && (t[i].is("distinct") || t[i].is("all")))
        ++i;
    QList<QList<Tok>> items;
    QList<Tok> cur;
    for (; at(i); ++i) {
        if (t[i].depth == 0 && t[i].is("from"))
            break;
        if (t[i].depth == 0 && t[i].isPunct(",")) {
            items.append(cur);
            cur.clear();
            continue;
        }
        cur.append(t[i]);
    }
    items.append(cur);
    QList<std::optional<ColKind>> kinds;
    auto tableKinds = [&](const TableDef *def) {
        for (const auto &c : def->columns)
            kinds.append(c.kind);
    };
    for (auto item : items) {
        if (item.size() == 1 && item[0].isPunct("*")) {
            if (topTables.isEmpty())
                return;
            for (const auto *def : topTables)
                tableKinds(def);
            continue;
        }
        if (item.size() == 3 && item[0].type == Tok::Ident && item[1].isPunct(".")
            && item[2].isPunct("*")) {
            const TableDef *def = aliases.value(item[0].lower());
            if (!def)
                return;
            tableKinds(def);
            continue;
        }
        // drop "as alias" or an implicit alias
        if (item.size() >= 3 && item[item.size() - 2].is("as"))
            item.resize(item.size() - 2);
        else if (item.size() >= 2 && item.last().type == Tok::Ident && !isKeyword(item.last())
            && !item[item.size() - 2].isPunct("."))
            item.removeLast();
        std::optional<ColKind> k;
        if (item.size() == 1 && item[0].type == Tok::Ident)
            k = ServerSchema::kindOf(item[0].text);
        else if (item.size() == 3 && item[1].isPunct(".") && item[2].type == Tok::Ident)
            k = ServerSchema::kindOf(item[2].text);
        else if (item.size() >= 4 && item[0].type == Tok::Ident && item[1].isPunct("(")
            && item.last().isPunct(")")) {
            const QString f = item[0].lower();
            const QString col = item[item.size() - 2].text;
            if (f == u"count")
                k = ColKind::Int;
            else if (f == u"sum" || f == u"min" || f == u"max" || f == u"total") {
                const bool simple = item.size() == 4 || (item.size() == 6 && item[3].isPunct("."));
                if (simple)
                    k = ServerSchema::kindOf(col);
            }
        }
        kinds.append(k);
    }
    st.outputKinds = kinds;
}

QString Translator::render()
{
    QString out;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const Tok &k = t[i];
        const bool glue = i > 0 && (k.isPunct(".") || t[i - 1].isPunct("."));
        if (i > 0 && !glue)
            out += u' ';
        if (k.castStart)
            out += QLatin1String("CAST(");
        if (k.bound || k.type == Tok::Marker) {
            out += u'?';
            st.binds.append(k.bound ? k.bind : QVariant(k.text));
        } else if (k.type == Tok::String) {
            out += u'\'' + QString(k.text).replace(u'\'', QLatin1String("''")) + u'\'';
        } else {
            out += k.text;
        }
        if (k.castEnd)
            out += QLatin1String(" AS INTEGER)");
    }
    return out;
}

SqlTranslation Translator::run()
{
    SqlTranslation r;
    if (!checkWords() || !readTables() || !checkFunctions()) {
        r.error = error;
        return r;
    }
    stripUpdateAlias();
    attribute();
    attributeInsert();
    readOutputKinds();
    st.sql = render();
    r.statement = st;
    return r;
}

} // namespace

SqlTranslation translateSql(const QString &text)
{
    Lexed lx = tokenize(text);
    if (!lx.error.isEmpty()) {
        SqlTranslation r;
        r.error = lx.error;
        return r;
    }
    Translator tr(std::move(lx.toks));
    return tr.run();
}

QVariant storedValue(ColKind kind, const QString &value)
{
    switch (kind) {
    case ColKind::Text:
        return value;
    case ColKind::Int: {
        bool ok = false;
        const qint64 n = value.trimmed().toLongLong(&ok);
        return ok ? QVariant(n) : QVariant(value);
    }
    case ColKind::Money: {
        const auto m = Money::parse(value.trimmed());
        return m ? QVariant(qint64(m->cents())) : QVariant(value);
    }
    case ColKind::Date: {
        const QDate d = parseDateText(value);
        return d.isValid() ? QVariant(d.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant(value);
    }
    case ColKind::DateTime: {
        const QString v = value.trimmed();
        const qsizetype sp = v.indexOf(u' ');
        const QDate d = parseDateText(sp < 0 ? v : v.left(sp));
        if (!d.isValid())
            return value;
        if (sp < 0)
            return d.toString(QStringLiteral("yyyy-MM-dd"));
        QTime tm = QTime::fromString(v.mid(sp + 1).trimmed(), QStringLiteral("HH:mm:ss"));
        if (!tm.isValid())
            tm = QTime::fromString(v.mid(sp + 1).trimmed(), QStringLiteral("HH:mm"));
        if (!tm.isValid())
            return value;
        return QDateTime(d, tm).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    }
    }
    return value;
}

QString clearValue(std::optional<ColKind> kind, const QVariant &stored)
{
    if (stored.isNull())
        return {};
    if (!kind)
        return stored.toString();
    const int type = stored.metaType().id();
    const bool integral = type == QMetaType::LongLong || type == QMetaType::Int
        || type == QMetaType::ULongLong || type == QMetaType::UInt;
    switch (*kind) {
    case ColKind::Money:
        if (integral)
            return Money::fromCents(stored.toLongLong()).format(2, true);
        return stored.toString();
    case ColKind::Date:
    case ColKind::DateTime: {
        static const QRegularExpression iso(
            QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:[ T](\\d{2}:\\d{2}(?::\\d{2})?))?$"));
        const QString s = stored.toString();
        const auto m = iso.match(s);
        if (!m.hasMatch())
            return s;
        QString d = m.captured(3) + u'/' + m.captured(2) + u'/' + m.captured(1);
        if (*kind == ColKind::DateTime && !m.captured(4).isEmpty()) {
            QString tm = m.captured(4);
            if (tm.size() == 5)
                tm += QLatin1String(":00");
            d += u' ' + tm;
        }
        return d;
    }
    default:
        return stored.toString();
    }
}

} // namespace zx::server
