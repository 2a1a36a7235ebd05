#include "ReplyText.h"

#include "service/protocol/RecordList.h"

namespace zx::server {

QString replyValue(const QString &v)
{
    QString out;
    out.reserve(v.size());
    for (QChar c : v) {
        if (c == u'<' || c == u'>' || (c.unicode() < 0x20 && c != u'\t'))
            continue;
        out += c;
    }
    return out;
}

QString errorReply(const QString &message)
{
    QString m = message;
    m.replace(u'|', u' ');
    return QStringLiteral("ERRO ENCONTRADO: MENSA_RETOR=") + replyValue(m).simplified() + u'|';
}

QString recordReply(const ReplyRecord &fields)
{
    QStringList captions, cells;
    for (const auto &[name, value] : fields) {
        captions << name;
        cells << replyValue(value);
    }
    return protocol::recordListText(captions, cells);
}

} // namespace zx::server
