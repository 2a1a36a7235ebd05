#pragma once
// A dBase IV table (level 4, no memo, no index) opened in shared mode: the station's
// own replacement for the platform's table component. Several programs may use one
// file at once: appends and updates are written under a lock, and every change is
// flushed before the header count that makes it visible, so a crash leaves at worst a
// record that nobody counts.
//
// Usage follows the usual dataset pattern:
//   DbfTable t(folder, "VENDA.DBF");
//   t.setFilter("SITUA_VEND", "P");
//   if (!t.open()) ... t.lastError();
//   for (t.first(); !t.eof(); t.next()) t.asString("CARTA_VEND");
//   t.append(); t.setAsString("SITUA_VEND", "P"); if (!t.post()) ...;
//   t.close();
#include "localstore/DbfField.h"
#include "localstore/DbfHeader.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace zx {

class DbfTable {
public:
    enum class State { Inactive, Browse, Edit, Insert };
    enum class OpenMode { Shared, ReadOnly };
    enum class CreateMode { Replace, OnlyIfMissing };
    enum class EmptyResult { Emptied, Kept, InUse, Failed };

    DbfTable();
    DbfTable(const QString &folder, const QString &fileName);
    ~DbfTable();
    DbfTable(const DbfTable &) = delete;
    DbfTable &operator=(const DbfTable &) = delete;

    // --- Where the table lives -------------------------------------------------------
    // fileName is the name new files get ("VENDA.DBF"); an existing file is found
    // whatever the case of its name, as on Windows.
    void setFolder(const QString &folder);
    void setFileName(const QString &fileName);
    QString folder() const;
    QString fileName() const;
    // The existing file (any case), or folder/fileName when there is none.
    QString path() const;
    bool exists() const;
    // Path of the entry of folder whose name equals fileName ignoring case (an exact
    // match wins); empty when there is none.
    static QString findFile(const QString &folder, const QString &fileName);

    // --- Creating and removing ------------------------------------------------------
    // Writes an empty level-4 table (version 0x03, code page byte for Windows-1252).
    // The file appears whole or not at all. OnlyIfMissing leaves an existing file
    // alone and returns true.
    static bool create(const QString &path, const QList<DbfField> &fields,
        CreateMode mode = CreateMode::Replace, QString *error = nullptr);
    // Closes this table, removes any file of another letter case and creates
    // folder/fileName.
    bool create(const QList<DbfField> &fields);
    // Closes this table and deletes its file.
    bool remove();

    // --- Opening --------------------------------------------------------------------
    // Reads the header and every whole record. A damaged file (fewer whole records
    // than the header counts) opens with what it has; see droppedRecords().
    bool open(OpenMode mode = OpenMode::Shared);
    // Leaves any edit or insert unposted.
    void close();
    bool isOpen() const;
    // Reads the file again (rows other programs added or changed), keeping the
    // current row when it is still visible.
    bool refresh();
    State state() const;
    QString lastError() const;
    // Records the header counts but the file does not hold whole; 0 on a sound file.
    qint64 droppedRecords() const;
    // Description of the damage found at open (empty on a sound file).
    QString warning() const;
    // How long edit() and deleteRecord() wait for a row another program holds.
    void setLockTimeout(int milliseconds);

    // --- Structure ------------------------------------------------------------------
    const DbfHeader &header() const;
    QList<DbfField> fields() const;
    QStringList fieldNames() const;
    bool hasField(const QString &name) const;

    // --- Filter ---------------------------------------------------------------------
    // Rows whose columns equal the values (trailing blanks ignored); several
    // conditions must all hold. Applies at once when open, moving to the first row.
    void setFilter(const QString &field, const QString &value);
    void setFilter(const QList<QPair<QString, QString>> &conditions);
    void clearFilter();
    bool isFiltered() const;
    // Rows marked deleted are hidden unless asked for (dump tools).
    void setShowDeleted(bool show);

    // --- Navigation (posts a pending edit or insert first) --------------------------
    bool first();
    bool last();
    bool next();
    bool prior();
    bool eof() const;
    bool bof() const;
    bool isEmpty() const;
    // Rows visible through the filter (deleted rows excluded).
    int recordCount() const;
    // Records in the file as read, deleted ones included.
    int physicalCount() const;
    // 1-based position of the current row in the file; 0 when there is none.
    int recNo() const;
    bool isDeleted() const;
    // Moves to the first visible row whose columns equal the values; stays put and
    // returns false when there is none.
    bool locate(const QString &field, const QString &value);
    bool locate(const QStringList &fields, const QStringList &values);

    // --- Editing --------------------------------------------------------------------
    // New blank row (state Insert); runs afterInsert.
    bool append();
    // Locks the current row against other programs and reads it again from the file.
    bool edit();
    // Runs beforePost (false cancels the post and keeps the state), then writes the
    // row. An appended row goes after the last whole record under the table lock.
    bool post();
    void cancel();
    // Marks the current row deleted (dBase '*').
    bool deleteRecord();

    // --- Columns of the current row (or of the row being edited) --------------------
    // Windows-1252 text; trailing blanks removed (leading ones too for numbers).
    QString asString(const QString &field) const;
    // Whole number of a numeric column; a blank column reads 0. ok is false for text
    // that is not a number or for a missing column.
    qint64 asInteger(const QString &field, bool *ok = nullptr) const;
    // Only in Edit or Insert. Text longer than a character column is cut; a numeric
    // column takes a number that fits or an empty text.
    bool setAsString(const QString &field, const QString &value);
    bool setAsInteger(const QString &field, qint64 value);

    // --- Events ---------------------------------------------------------------------
    std::function<bool(DbfTable &)> beforePost;
    std::function<void(DbfTable &)> afterInsert;

    // --- Whole-table operations -----------------------------------------------------
    // Holds the table's append lock (other programs cannot append or change the
    // count) while alive. Re-entrant within this object; do not call edit() while
    // holding it.
    class TableLock {
    public:
        TableLock() = default;
        TableLock(TableLock &&other) noexcept;
        TableLock &operator=(TableLock &&other) noexcept;
        ~TableLock();
        explicit operator bool() const { return m_table != nullptr; }
        void release();

    private:
        friend class DbfTable;
        explicit TableLock(DbfTable *table)
            : m_table(table)
        {
        }
        DbfTable *m_table = nullptr;
    };
    TableLock lockTable();

    // Removes every row in place when no other program has the file open (InUse
    // otherwise). The file stays, so programs that open it later find an empty table
    // instead of a missing one. Before emptying, mayEmpty may look at the rows (the
    // table is open and held exclusively; navigate and filter only): false keeps them
    // (Kept). The table is closed afterwards.
    EmptyResult emptyIfUnused(const std::function<bool(DbfTable &)> &mayEmpty = {});

private:
    struct Private;
    std::unique_ptr<Private> d;

    bool acquireTableLock();
    void releaseTableLock();
    bool setError(const QString &text) const;
    bool checkBrowse();
    bool postInsert();
    bool postEdit();
    bool readRecordsFrom(int firstIndex, int count);
    void rebuildVisible(int keepIndex, bool orFollowing);
    bool matches(const QByteArray &record) const;
    const QByteArray *currentRecord() const;
    int currentIndex() const;
    QString rawValue(const QByteArray &record, int field) const;
    QByteArray fieldBytes(int field, const QString &value, bool *ok) const;
};

} // namespace zx
