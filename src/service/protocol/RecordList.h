#pragma once
// Record lists: the rows-and-fields XML of every request and reply.
//
// Requests are written byte-exact: "<?xml version='1.0' standalone='yes'?>", <DATASET>,
// one <REGISTRO> per row, one line per cell, every line ended by CR LF, cell text
// unchanged (callers keep "<", ">" and "&" out of values: see TextRules.h), and on the
// wire Windows-1252.
//
// Replies are untrusted: parsing is strict (well-formed XML with its declaration, no
// DTD, nothing after the root) and a failure leaves the table as it was and says why.
#include "service/protocol/GridModel.h"
#include "service/protocol/TRegist.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <QStringList>
#include <optional>

namespace zx::protocol {

inline constexpr char kNoRecordsMessage[] = "Nenhum registro foi retornado!!!";

// --- requests -------------------------------------------------------------------------

// The request as its lines (no line ends).
QStringList getXMLListV(const GridModel &grid);
// Same rows from plain captions and cells (cells[0] of a row is its caption).
QStringList getXMLListV(const QStringList &captions, const QList<QStringList> &rows);
// Lines joined with CR LF after every line, the last one too.
QString joinLines(const QStringList &lines);
// Convenience: joinLines(getXMLListV(grid)).
QString recordListText(const GridModel &grid);
// Single-row request, the common case of service operations.
QString recordListText(const QStringList &captions, const QStringList &cells);

// --- replies --------------------------------------------------------------------------

// Parses a reply and appends its rows to `table`. Gives the number of fields of the first
// row (0 when the root has no rows, the table then unchanged), or nothing when the reply
// is not a valid record list: `error` says why and the table is untouched.
// Field names come from the first row; later rows are stored by position under those
// names (missing fields read as empty, extra fields are dropped). Every "&" that survives
// inside a parsed value (sent as an entity) becomes "E".
//
// Text form: the characters are taken as they are; an encoding declaration is not
// applied (it described bytes that are already decoded).
std::optional<int> setTblTempXMLSt(const QString &text, TblTemp &table, QString *error = nullptr);
// Byte form: a byte-order mark or the declaration's encoding decides (UTF-8, UTF-16 with
// mark, Windows-1252; ISO-8859-1 and ASCII are read as Windows-1252, their superset);
// without a declared encoding the bytes are Windows-1252. Other encodings are refused.
std::optional<int> setTblTempXMLSt(
    const QByteArray &bytes, TblTemp &table, QString *error = nullptr);
// Reads the stream to its end (at most maxBytes, more is refused) and parses the bytes.
std::optional<int> setTblTempXMLSt(QIODevice &stream, TblTemp &table, QString *error = nullptr,
    qint64 maxBytes = 64 * 1024 * 1024);
// Parses the file at `path` (bytes, as above).
std::optional<int> setTblTempXML(const QString &path, TblTemp &table, QString *error = nullptr);

// Decodes reply bytes into text by the rules of the byte form above.
std::optional<QString> decodeReplyBytes(const QByteArray &bytes, QString *error = nullptr);

enum class FillResult {
    Filled, // rows added to the grid
    Empty, // no rows: the grid is untouched; the caller shows kNoRecordsMessage
    Invalid, // not a record list: the grid is untouched; `error` says why
};

// Fills a grid from a reply: with `clear` the grid's rows go first; a grid without
// columns gets one per field, captioned with the field names; each row's first value is
// its caption, the rest its sub-items.
FillResult montXMLListV(
    const QString &reply, GridModel &grid, bool clear, QString *error = nullptr);

// First row of a single-row reply, with the "e_e" convention: accents are folded and
// every "&" of the text becomes "e_e" before parsing, and every "e_e" of a value becomes
// "&" again. Nothing for a blank reply or a reply without rows; nothing with `error` set
// when the reply is not a record list.
std::optional<TRegist> montRegUnicoXML(const QString &reply, QString *error = nullptr);

} // namespace zx::protocol
