#include "shell/MessageOfTheDay.h"

#include "common/Messages.h"
#include "common/core/Cp1252.h"
#include "common/widgets/TFrmMensagem.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

namespace zx {

namespace motd {

namespace {
const QChar kHeading(0x00BB); // »

// "»Name [12]" gives "Name 12".
QString headingReference(const QString &line)
{
    const int bracket = line.indexOf(QLatin1Char('['));
    const QString name = line.mid(1, bracket < 0 ? -1 : bracket - 1).trimmed();
    QString digits;
    if (bracket >= 0)
        for (const QChar c : line.mid(bracket))
            if (c.isDigit())
                digits += c;
    return name + QLatin1Char(' ') + digits;
}
} // namespace

QString filePath(const QString &folder, int k)
{
    return QDir(folder).filePath(QStringLiteral("conf%1.dat").arg(k));
}

std::optional<DailyMessage> read(const QString &path, int lineNumber)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    QString reference;
    QString line;
    bool have = false;
    int count = 0;
    while (!f.atEnd()) {
        QByteArray raw = f.readLine();
        while (raw.endsWith('\n') || raw.endsWith('\r'))
            raw.chop(1);
        line = cp1252::decode(raw);
        have = true;
        ++count;
        const bool heading = line.startsWith(kHeading);
        if (heading)
            reference = headingReference(line);
        // A heading at the chosen line gives way to the message that follows it.
        if (count >= lineNumber && !heading)
            break;
    }
    if (!have || line.startsWith(kHeading))
        return std::nullopt;
    const int blank = line.indexOf(QLatin1Char(' '));
    DailyMessage m;
    m.text = blank < 0 ? line : line.mid(blank + 1);
    m.reference = reference + QLatin1Char(':') + (blank < 0 ? QString() : line.left(blank));
    return m;
}

QStringList windowLines(const DailyMessage &m)
{
    return { m.text, QString(), m.reference };
}

} // namespace motd

void exibMensBibl(const QString &folder, const QColor &colour, const RandomPick &pick)
{
    const RandomPick draw = pick ? pick : [](int lo, int hi) {
        return int(QRandomGenerator::global()->bounded(lo, hi + 1));
    };
    const int k = draw(1, 2);
    const int line = draw(1, k == 1 ? motd::kLinesFile1 : motd::kLinesFile2);
    const QString path = motd::filePath(folder, k);
    if (!QFile::exists(path)) {
        MsgAtencao(QStringLiteral("Não encontrado o arquivo de Mensagens!!!"));
        return;
    }
    const std::optional<DailyMessage> m = motd::read(path, line);
    if (!m)
        return;
    TFrmMensagem::mostra(colour, motd::windowLines(*m));
}

} // namespace zx
