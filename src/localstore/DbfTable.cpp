#include "localstore/DbfTable.h"

#include "common/core/Cp1252.h"
#include "localstore/FileLock.h"
#include "platform/Platform.h"
#include "platform/RealPlatform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>

#ifdef Q_OS_WIN
#define NOMINMAX
#include <windows.h>
#else
#include <cstdio>
#endif

namespace zx {

namespace {

// Lock bytes far beyond any data, as dBase does: readers that do not lock are
// never blocked, and the file's contents are never covered.
constexpr qint64 kOpenLock = 0x7FFFFFFE; // shared while open; exclusive to empty the file
constexpr qint64 kTableLock = 0x7FFFFFFD; // exclusive around an append (count change)
constexpr qint64 kRecordLockBase = 0x40000000;

qint64 recordLock(int index)
{
    return kRecordLockBase + index;
}

QDate today()
{
    // Tools may use the engine before any seam is installed.
    const PlatformServices &s = Platform::services();
    return s.clock ? s.clock->today() : RealClock().today();
}

quint32 headerCount(const QByteArray &first32)
{
    quint32 v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | quint8(first32.at(DbfHeader::kCountOffset + i));
    return v;
}

QString trimRight(const QString &s)
{
    qsizetype n = s.size();
    while (n > 0 && (s.at(n - 1) == QLatin1Char(' ') || s.at(n - 1).isNull()))
        --n;
    return s.left(n);
}

bool writeAll(QFile &file, qint64 at, const QByteArray &bytes)
{
    return file.seek(at) && file.write(bytes) == bytes.size();
}

bool replaceFile(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    return MoveFileExW(reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(from).utf16()),
        reinterpret_cast<LPCWSTR>(QDir::toNativeSeparators(to).utf16()),
        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

} // namespace

struct DbfTable::Private {
    QString folder;
    QString fileName;
    QFile file;
    bool readOnly = false;
    DbfHeader header;
    QList<QByteArray> records; // whole records, in file order
    QList<int> visible; // indexes into records
    int pos = -1;
    bool eof = true;
    bool bof = true;
    State state = State::Inactive;
    QByteArray buffer; // the row being edited or inserted
    int editIndex = -1; // record whose lock is held while editing
    QList<QPair<QString, QString>> filter;
    bool showDeleted = false;
    int tableLockDepth = 0;
    int lockTimeoutMs = 10000;
    qint64 dropped = 0;
    QString warning;
    mutable QString error;

    qint64 recordPos(int index) const
    {
        return qint64(header.headerLength) + qint64(index) * header.recordLength;
    }
};

DbfTable::DbfTable()
    : d(std::make_unique<Private>())
{
}

DbfTable::DbfTable(const QString &folder, const QString &fileName)
    : DbfTable()
{
    d->folder = folder;
    d->fileName = fileName;
}

DbfTable::~DbfTable()
{
    close();
}

// --- Location ----------------------------------------------------------------------

void DbfTable::setFolder(const QString &folder)
{
    close();
    d->folder = folder;
}

void DbfTable::setFileName(const QString &fileName)
{
    close();
    d->fileName = fileName;
}

QString DbfTable::folder() const
{
    return d->folder;
}
QString DbfTable::fileName() const
{
    return d->fileName;
}

QString DbfTable::findFile(const QString &folder, const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    const QDir dir(folder);
    const QString exact = dir.filePath(fileName);
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = dir.entryList(
        QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &e : entries)
        if (e.compare(fileName, Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return {};
}

QString DbfTable::path() const
{
    const QString found = findFile(d->folder, d->fileName);
    return found.isEmpty() ? QDir(d->folder).filePath(d->fileName) : found;
}

bool DbfTable::exists() const
{
    return !findFile(d->folder, d->fileName).isEmpty();
}

// --- Creating -----------------------------------------------------------------------

bool DbfTable::create(
    const QString &path, const QList<DbfField> &fields, CreateMode mode, QString *error)
{
    DbfHeader h;
    if (!DbfHeader::build(fields, today(), h, error))
        return false;
    QByteArray bytes = h.serialize();
    bytes.append(DbfHeader::kEndOfFile);

    // Written aside and renamed into place: the table appears whole or not at all.
    const QString tmpPath
        = QStringLiteral("%1.%2.tmp")
              .arg(path)
              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
    QFile tmp(tmpPath);
    if (!tmp.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (error)
            *error = QStringLiteral("não foi possível criar %1: %2").arg(path, tmp.errorString());
        return false;
    }
    const bool written = tmp.write(bytes) == bytes.size() && tmp.flush() && filelock::syncData(tmp);
    tmp.close();
    bool placed = false;
    if (written) {
        if (mode == CreateMode::OnlyIfMissing)
            placed = QFile::rename(tmpPath, path) || QFileInfo(path).isFile();
        else
            placed = replaceFile(tmpPath, path);
    }
    QFile::remove(tmpPath);
    if (!placed && error)
        *error = QStringLiteral("não foi possível criar %1").arg(path);
    return placed;
}

bool DbfTable::create(const QList<DbfField> &fields)
{
    close();
    const QString target = QDir(d->folder).filePath(d->fileName);
    const QString existing = findFile(d->folder, d->fileName);
    if (!existing.isEmpty() && existing != target && !QFile::remove(existing))
        return setError(QStringLiteral("não foi possível apagar %1").arg(existing));
    QString err;
    if (!create(target, fields, CreateMode::Replace, &err))
        return setError(err);
    return true;
}

bool DbfTable::remove()
{
    close();
    const QString existing = findFile(d->folder, d->fileName);
    if (existing.isEmpty())
        return true;
    if (!QFile::remove(existing))
        return setError(QStringLiteral("não foi possível apagar %1").arg(existing));
    return true;
}

// --- Opening ------------------------------------------------------------------------

bool DbfTable::open(OpenMode mode)
{
    close();
    d->error.clear();
    d->warning.clear();
    d->dropped = 0;
    const QString found = findFile(d->folder, d->fileName);
    if (found.isEmpty())
        return setError(
            QStringLiteral("Tabela não encontrada: %1").arg(QDir(d->folder).filePath(d->fileName)));
    d->readOnly = mode == OpenMode::ReadOnly;
    d->file.setFileName(found);
    const QIODevice::OpenMode how = (d->readOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite)
        | QIODevice::Unbuffered | QIODevice::ExistingOnly;
    if (!d->file.open(how))
        return setError(
            QStringLiteral("Não foi possível abrir %1: %2").arg(found, d->file.errorString()));
    // Announces that this program has the file open (see emptyIfUnused), and waits
    // while another program is emptying it.
    QString err;
    if (!filelock::lock(d->file, kOpenLock, 1, filelock::Kind::Shared, &err)) {
        d->file.close();
        return setError(found + QStringLiteral(": ") + err);
    }
    if (!readRecordsFrom(-1, 0)) {
        d->file.close();
        return false;
    }
    d->state = State::Browse;
    rebuildVisible(-1, false);
    return true;
}

void DbfTable::close()
{
    if (!d->file.isOpen()) {
        d->state = State::Inactive;
        return;
    }
    cancel();
    while (d->tableLockDepth > 0)
        releaseTableLock();
    filelock::unlock(d->file, kOpenLock, 1);
    d->file.close();
    d->records.clear();
    d->visible.clear();
    d->pos = -1;
    d->eof = d->bof = true;
    d->state = State::Inactive;
}

bool DbfTable::isOpen() const
{
    return d->state != State::Inactive;
}

bool DbfTable::refresh()
{
    if (!isOpen())
        return setError(QStringLiteral("Tabela fechada"));
    if (!checkBrowse())
        return false;
    const int keep = currentIndex();
    if (!readRecordsFrom(-1, 0))
        return false;
    rebuildVisible(keep, false);
    return true;
}

DbfTable::State DbfTable::state() const
{
    return d->state;
}
QString DbfTable::lastError() const
{
    return d->error;
}
qint64 DbfTable::droppedRecords() const
{
    return d->dropped;
}
QString DbfTable::warning() const
{
    return d->warning;
}
void DbfTable::setLockTimeout(int milliseconds)
{
    d->lockTimeoutMs = qMax(0, milliseconds);
}

// Reads count records from firstIndex into the snapshot; firstIndex -1 reads the
// whole file again (header included) and checks it for damage.
bool DbfTable::readRecordsFrom(int firstIndex, int count)
{
    if (firstIndex < 0) {
        if (!d->file.seek(0))
            return setError(d->file.errorString());
        const QByteArray all = d->file.readAll();
        DbfHeader h;
        QString err;
        if (!DbfHeader::parse(all, h, &err))
            return setError(d->file.fileName() + QStringLiteral(": ") + err);
        const qint64 whole = qMax<qint64>(0, (all.size() - h.headerLength) / h.recordLength);
        const qint64 usable = qMin<qint64>(h.recordCount, whole);
        d->dropped = qint64(h.recordCount) - usable;
        d->warning.clear();
        if (d->dropped > 0)
            d->warning = QStringLiteral("%1: o cabeçalho indica %2 registros, mas o arquivo só tem "
                                        "%3 inteiros; %4 ignorados")
                             .arg(QFileInfo(d->file.fileName()).fileName())
                             .arg(h.recordCount)
                             .arg(usable)
                             .arg(d->dropped);
        d->header = h;
        d->header.recordCount = quint32(usable);
        d->records.clear();
        d->records.reserve(usable);
        for (qint64 i = 0; i < usable; ++i)
            d->records.append(all.mid(h.headerLength + i * h.recordLength, h.recordLength));
        return true;
    }
    if (count <= 0)
        return true;
    if (!d->file.seek(d->recordPos(firstIndex)))
        return setError(d->file.errorString());
    const QByteArray bytes = d->file.read(qint64(count) * d->header.recordLength);
    if (bytes.size() != qint64(count) * d->header.recordLength)
        return setError(QStringLiteral("leitura incompleta de %1").arg(d->file.fileName()));
    d->records.resize(firstIndex);
    for (int i = 0; i < count; ++i)
        d->records.append(bytes.mid(qint64(i) * d->header.recordLength, d->header.recordLength));
    return true;
}

// --- Structure ----------------------------------------------------------------------

const DbfHeader &DbfTable::header() const
{
    return d->header;
}
QList<DbfField> DbfTable::fields() const
{
    return d->header.fields;
}

QStringList DbfTable::fieldNames() const
{
    QStringList names;
    for (const DbfField &f : d->header.fields)
        names << f.name;
    return names;
}

bool DbfTable::hasField(const QString &name) const
{
    return d->header.fieldIndex(name) >= 0;
}

// --- Filter and visibility ----------------------------------------------------------

void DbfTable::setFilter(const QString &field, const QString &value)
{
    setFilter(QList<QPair<QString, QString>> { { field, value } });
}

void DbfTable::setFilter(const QList<QPair<QString, QString>> &conditions)
{
    if (isOpen() && !checkBrowse())
        return;
    d->filter = conditions;
    if (isOpen())
        rebuildVisible(-1, false);
}

void DbfTable::clearFilter()
{
    setFilter(QList<QPair<QString, QString>> {});
}
bool DbfTable::isFiltered() const
{
    return !d->filter.isEmpty();
}

void DbfTable::setShowDeleted(bool show)
{
    d->showDeleted = show;
    if (isOpen())
        rebuildVisible(currentIndex(), true);
}

QString DbfTable::rawValue(const QByteArray &record, int field) const
{
    const DbfField &f = d->header.fields.at(field);
    const QString text = cp1252::decode(record.constData() + f.offset, f.length);
    return f.type == 'C' ? trimRight(text) : text.trimmed();
}

namespace {
bool sameValue(const DbfField &f, const QString &stored, const QString &wanted)
{
    return stored == (f.type == 'C' ? trimRight(wanted) : wanted.trimmed());
}
} // namespace

bool DbfTable::matches(const QByteArray &record) const
{
    if (!d->showDeleted && record.at(0) == '*')
        return false;
    for (const auto &c : d->filter) {
        const int i = d->header.fieldIndex(c.first);
        if (i < 0 || !sameValue(d->header.fields.at(i), rawValue(record, i), c.second))
            return false;
    }
    return true;
}

// Visible rows again; the cursor goes to keepIndex, or (orFollowing) to the row that
// followed it when it is no longer visible, else to the first row.
void DbfTable::rebuildVisible(int keepIndex, bool orFollowing)
{
    d->visible.clear();
    for (int i = 0; i < d->records.size(); ++i)
        if (matches(d->records.at(i)))
            d->visible.append(i);
    d->eof = d->bof = false;
    if (d->visible.isEmpty()) {
        d->pos = -1;
        d->eof = d->bof = true;
        return;
    }
    if (keepIndex >= 0) {
        for (int p = 0; p < d->visible.size(); ++p) {
            if (d->visible.at(p) == keepIndex) {
                d->pos = p;
                return;
            }
            if (orFollowing && d->visible.at(p) > keepIndex) {
                d->pos = p;
                return;
            }
        }
        if (orFollowing) {
            d->pos = int(d->visible.size()) - 1;
            d->eof = true;
            return;
        }
    }
    d->pos = 0;
    d->bof = true;
}

const QByteArray *DbfTable::currentRecord() const
{
    if (d->state == State::Edit || d->state == State::Insert)
        return &d->buffer;
    if (d->pos >= 0 && d->pos < d->visible.size())
        return &d->records.at(d->visible.at(d->pos));
    return nullptr;
}

int DbfTable::currentIndex() const
{
    if (d->state == State::Insert)
        return -1;
    if (d->state == State::Edit)
        return d->editIndex;
    return (d->pos >= 0 && d->pos < d->visible.size()) ? d->visible.at(d->pos) : -1;
}

// --- Navigation ---------------------------------------------------------------------

bool DbfTable::checkBrowse()
{
    if (d->state == State::Edit || d->state == State::Insert)
        return post();
    return true;
}

bool DbfTable::first()
{
    if (!isOpen() || !checkBrowse())
        return false;
    d->pos = d->visible.isEmpty() ? -1 : 0;
    d->bof = true;
    d->eof = d->visible.isEmpty();
    return !d->visible.isEmpty();
}

bool DbfTable::last()
{
    if (!isOpen() || !checkBrowse())
        return false;
    d->pos = int(d->visible.size()) - 1;
    d->eof = true;
    d->bof = d->visible.isEmpty();
    return !d->visible.isEmpty();
}

bool DbfTable::next()
{
    if (!isOpen() || !checkBrowse())
        return false;
    d->bof = false;
    if (d->pos + 1 < d->visible.size()) {
        ++d->pos;
        d->eof = false;
        return true;
    }
    d->eof = true;
    return false;
}

bool DbfTable::prior()
{
    if (!isOpen() || !checkBrowse())
        return false;
    d->eof = false;
    if (d->pos > 0) {
        --d->pos;
        d->bof = false;
        return true;
    }
    d->bof = true;
    return false;
}

bool DbfTable::eof() const
{
    return d->eof;
}
bool DbfTable::bof() const
{
    return d->bof;
}
bool DbfTable::isEmpty() const
{
    return d->visible.isEmpty();
}
int DbfTable::recordCount() const
{
    return int(d->visible.size());
}
int DbfTable::physicalCount() const
{
    return int(d->records.size());
}
int DbfTable::recNo() const
{
    return currentIndex() + 1;
}

bool DbfTable::isDeleted() const
{
    const QByteArray *r = currentRecord();
    return r && r->at(0) == '*';
}

bool DbfTable::locate(const QString &field, const QString &value)
{
    return locate(QStringList { field }, QStringList { value });
}

bool DbfTable::locate(const QStringList &fields, const QStringList &values)
{
    if (!isOpen() || !checkBrowse())
        return false;
    if (fields.size() != values.size() || fields.isEmpty())
        return setError(QStringLiteral("locate: campos e valores não correspondem"));
    QList<int> idx;
    for (const QString &f : fields) {
        const int i = d->header.fieldIndex(f);
        if (i < 0)
            return setError(QStringLiteral("Campo '%1' não encontrado").arg(f));
        idx << i;
    }
    for (int p = 0; p < d->visible.size(); ++p) {
        const QByteArray &rec = d->records.at(d->visible.at(p));
        bool all = true;
        for (int k = 0; k < idx.size() && all; ++k)
            all = sameValue(d->header.fields.at(idx.at(k)), rawValue(rec, idx.at(k)), values.at(k));
        if (all) {
            d->pos = p;
            d->eof = d->bof = false;
            return true;
        }
    }
    return false;
}

// --- Editing ------------------------------------------------------------------------

bool DbfTable::append()
{
    if (!isOpen())
        return setError(QStringLiteral("Tabela fechada"));
    if (d->readOnly)
        return setError(QStringLiteral("Tabela aberta somente para leitura"));
    if (!checkBrowse())
        return false;
    d->buffer = QByteArray(d->header.recordLength, ' ');
    d->state = State::Insert;
    if (afterInsert)
        afterInsert(*this);
    return true;
}

bool DbfTable::edit()
{
    if (!isOpen())
        return setError(QStringLiteral("Tabela fechada"));
    if (d->readOnly)
        return setError(QStringLiteral("Tabela aberta somente para leitura"));
    if (d->state == State::Edit || d->state == State::Insert)
        return true;
    const int index = currentIndex();
    if (index < 0)
        return setError(QStringLiteral("Nenhum registro para alterar"));
    if (!filelock::lockWithin(
            d->file, recordLock(index), 1, filelock::Kind::Exclusive, d->lockTimeoutMs))
        return setError(QStringLiteral("Registro em uso por outro usuário"));
    // Another program may have changed the row since it was read.
    QByteArray fresh;
    if (d->file.seek(d->recordPos(index)))
        fresh = d->file.read(d->header.recordLength);
    if (fresh.size() != d->header.recordLength) {
        filelock::unlock(d->file, recordLock(index), 1);
        return setError(QStringLiteral("Não foi possível ler o registro %1").arg(index + 1));
    }
    d->records[index] = fresh;
    if (fresh.at(0) == '*' && !d->showDeleted) {
        filelock::unlock(d->file, recordLock(index), 1);
        rebuildVisible(index, true);
        return setError(QStringLiteral("Registro excluído por outro usuário"));
    }
    d->buffer = fresh;
    d->editIndex = index;
    d->state = State::Edit;
    return true;
}

bool DbfTable::post()
{
    if (d->state == State::Browse)
        return true;
    if (d->state == State::Inactive)
        return setError(QStringLiteral("Tabela fechada"));
    d->error.clear();
    if (beforePost && !beforePost(*this)) {
        if (d->error.isEmpty())
            setError(QStringLiteral("Gravação cancelada"));
        return false;
    }
    return d->state == State::Insert ? postInsert() : postEdit();
}

bool DbfTable::postInsert()
{
    if (!acquireTableLock())
        return false;
    const auto unlock = qScopeGuard([this] { releaseTableLock(); });

    // The count as it is now: other programs may have appended since we read.
    QByteArray first32;
    if (d->file.seek(0))
        first32 = d->file.read(32);
    if (first32.size() < 32)
        return setError(QStringLiteral("Cabeçalho ilegível em %1").arg(d->file.fileName()));
    const qint64 whole
        = qMax<qint64>(0, (d->file.size() - d->header.headerLength) / d->header.recordLength);
    const qint64 count = qMin<qint64>(headerCount(first32), whole);
    if (count >= 0xFFFFFFFFLL)
        return setError(QStringLiteral("Tabela cheia"));

    // Record first, flushed; only then the count that makes it a row. A crash in
    // between leaves a record that no reader counts and the next append overwrites.
    QByteArray bytes = d->buffer;
    bytes.append(DbfHeader::kEndOfFile);
    if (!writeAll(d->file, d->recordPos(int(count)), bytes) || !filelock::syncData(d->file))
        return setError(QStringLiteral("Erro ao gravar em %1: %2")
                            .arg(d->file.fileName(), d->file.errorString()));
    if (!writeAll(
            d->file, DbfHeader::kDateOffset, DbfHeader::dateAndCount(today(), quint32(count + 1)))
        || !filelock::syncData(d->file))
        return setError(QStringLiteral("Erro ao gravar o cabeçalho de %1: %2")
                            .arg(d->file.fileName(), d->file.errorString()));

    // Rows other programs appended meanwhile come into view with ours.
    if (count > d->records.size()) {
        if (!readRecordsFrom(int(d->records.size()), int(count - d->records.size())))
            return false;
    } else {
        d->records.resize(count);
    }
    d->records.append(d->buffer);
    d->header.recordCount = quint32(count + 1);
    d->header.lastUpdate = today();
    d->buffer.clear();
    d->state = State::Browse;
    rebuildVisible(int(count), true);
    return true;
}

bool DbfTable::postEdit()
{
    const int index = d->editIndex;
    // Only the date changes in the header, which leaves the count to appenders.
    if (!writeAll(d->file, d->recordPos(index), d->buffer)
        || !writeAll(d->file, DbfHeader::kDateOffset, DbfHeader::dateBytes(today()))
        || !filelock::syncData(d->file))
        return setError(QStringLiteral("Erro ao gravar em %1: %2")
                            .arg(d->file.fileName(), d->file.errorString()));
    filelock::unlock(d->file, recordLock(index), 1);
    d->records[index] = d->buffer;
    d->header.lastUpdate = today();
    d->buffer.clear();
    d->editIndex = -1;
    d->state = State::Browse;
    rebuildVisible(index, true);
    return true;
}

void DbfTable::cancel()
{
    if (d->state == State::Edit && d->editIndex >= 0)
        filelock::unlock(d->file, recordLock(d->editIndex), 1);
    if (d->state == State::Edit || d->state == State::Insert) {
        d->editIndex = -1;
        d->buffer.clear();
        d->state = State::Browse;
    }
}

bool DbfTable::deleteRecord()
{
    if (!isOpen())
        return setError(QStringLiteral("Tabela fechada"));
    if (d->readOnly)
        return setError(QStringLiteral("Tabela aberta somente para leitura"));
    if (d->state == State::Insert) {
        cancel();
        return true;
    }
    int index = d->editIndex;
    if (d->state != State::Edit) {
        index = currentIndex();
        if (index < 0)
            return setError(QStringLiteral("Nenhum registro para excluir"));
        if (!filelock::lockWithin(
                d->file, recordLock(index), 1, filelock::Kind::Exclusive, d->lockTimeoutMs))
            return setError(QStringLiteral("Registro em uso por outro usuário"));
    }
    const auto unlock
        = qScopeGuard([this, index] { filelock::unlock(d->file, recordLock(index), 1); });
    if (!writeAll(d->file, d->recordPos(index), QByteArray(1, '*'))
        || !writeAll(d->file, DbfHeader::kDateOffset, DbfHeader::dateBytes(today()))
        || !filelock::syncData(d->file))
        return setError(QStringLiteral("Erro ao excluir em %1: %2")
                            .arg(d->file.fileName(), d->file.errorString()));
    d->records[index][0] = '*';
    d->buffer.clear();
    d->editIndex = -1;
    d->state = State::Browse;
    rebuildVisible(index, true);
    return true;
}

// --- Columns ------------------------------------------------------------------------

QString DbfTable::asString(const QString &field) const
{
    const int i = d->header.fieldIndex(field);
    if (i < 0) {
        setError(QStringLiteral("Campo '%1' não encontrado").arg(field));
        return {};
    }
    const QByteArray *r = currentRecord();
    return r ? rawValue(*r, i) : QString();
}

qint64 DbfTable::asInteger(const QString &field, bool *ok) const
{
    if (ok)
        *ok = false;
    if (!hasField(field)) {
        setError(QStringLiteral("Campo '%1' não encontrado").arg(field));
        return 0;
    }
    QString text = asString(field);
    if (text.isEmpty()) {
        if (ok)
            *ok = true;
        return 0;
    }
    static const QRegularExpression zeroDecimals(QStringLiteral("\\.0*$"));
    text.remove(zeroDecimals);
    return text.toLongLong(ok);
}

QByteArray DbfTable::fieldBytes(int field, const QString &value, bool *ok) const
{
    const DbfField &f = d->header.fields.at(field);
    *ok = true;
    if (f.type == 'N' || f.type == 'F') {
        const QString t = value.trimmed();
        static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
        if (!t.isEmpty() && (!number.match(t).hasMatch() || t.size() > f.length)) {
            *ok = false;
            return {};
        }
        return t.toLatin1().rightJustified(f.length, ' ');
    }
    return cp1252::encode(value).left(f.length).leftJustified(f.length, ' ');
}

bool DbfTable::setAsString(const QString &field, const QString &value)
{
    if (d->state != State::Edit && d->state != State::Insert)
        return setError(QStringLiteral("Tabela não está em edição"));
    const int i = d->header.fieldIndex(field);
    if (i < 0)
        return setError(QStringLiteral("Campo '%1' não encontrado").arg(field));
    bool ok = false;
    const QByteArray bytes = fieldBytes(i, value, &ok);
    if (!ok)
        return setError(QStringLiteral("Valor inválido para o campo %1: '%2'")
                            .arg(d->header.fields.at(i).name, value));
    d->buffer.replace(d->header.fields.at(i).offset, bytes.size(), bytes);
    return true;
}

bool DbfTable::setAsInteger(const QString &field, qint64 value)
{
    return setAsString(field, QString::number(value));
}

// --- Locks --------------------------------------------------------------------------

bool DbfTable::acquireTableLock()
{
    if (!d->file.isOpen())
        return setError(QStringLiteral("Tabela fechada"));
    if (d->readOnly)
        return setError(QStringLiteral("Tabela aberta somente para leitura"));
    if (d->tableLockDepth > 0) {
        ++d->tableLockDepth;
        return true;
    }
    QString err;
    if (!filelock::lock(d->file, kTableLock, 1, filelock::Kind::Exclusive, &err))
        return setError(err);
    d->tableLockDepth = 1;
    return true;
}

void DbfTable::releaseTableLock()
{
    if (d->tableLockDepth <= 0)
        return;
    if (--d->tableLockDepth == 0 && d->file.isOpen())
        filelock::unlock(d->file, kTableLock, 1);
}

DbfTable::TableLock DbfTable::lockTable()
{
    return acquireTableLock() ? TableLock(this) : TableLock();
}

DbfTable::TableLock::TableLock(TableLock &&other) noexcept
    : m_table(other.m_table)
{
    other.m_table = nullptr;
}

DbfTable::TableLock &DbfTable::TableLock::operator=(TableLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_table = other.m_table;
        other.m_table = nullptr;
    }
    return *this;
}

DbfTable::TableLock::~TableLock()
{
    release();
}

void DbfTable::TableLock::release()
{
    if (m_table)
        m_table->releaseTableLock();
    m_table = nullptr;
}

DbfTable::EmptyResult DbfTable::emptyIfUnused(const std::function<bool(DbfTable &)> &mayEmpty)
{
    close();
    d->error.clear();
    const QString found = findFile(d->folder, d->fileName);
    if (found.isEmpty()) {
        setError(QStringLiteral("Tabela não encontrada: %1").arg(path()));
        return EmptyResult::Failed;
    }
    d->file.setFileName(found);
    if (!d->file.open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly)) {
        setError(QStringLiteral("Não foi possível abrir %1: %2").arg(found, d->file.errorString()));
        return EmptyResult::Failed;
    }
    d->readOnly = false;
    // Every program that has the file open holds the shared lock on this byte.
    if (!filelock::tryLock(d->file, kOpenLock, 1, filelock::Kind::Exclusive)) {
        d->file.close();
        return EmptyResult::InUse;
    }
    const auto done = qScopeGuard([this] { close(); });
    if (!readRecordsFrom(-1, 0))
        return EmptyResult::Failed;
    d->state = State::Browse;
    rebuildVisible(-1, false);
    if (mayEmpty && !mayEmpty(*this))
        return EmptyResult::Kept;
    cancel();
    // Count first, then the bytes: at every instant the file opens as a sound table.
    const qint64 headerLength = d->header.headerLength;
    if (!writeAll(d->file, DbfHeader::kDateOffset, DbfHeader::dateAndCount(today(), 0))
        || !filelock::syncData(d->file) || !d->file.resize(headerLength)
        || !writeAll(d->file, headerLength, QByteArray(1, DbfHeader::kEndOfFile))
        || !filelock::syncData(d->file)) {
        setError(QStringLiteral("Erro ao esvaziar %1: %2").arg(found, d->file.errorString()));
        return EmptyResult::Failed;
    }
    return EmptyResult::Emptied;
}

bool DbfTable::setError(const QString &text) const
{
    d->error = text;
    return false;
}

} // namespace zx
