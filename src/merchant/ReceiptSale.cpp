#include "merchant/ReceiptSale.h"

#include "config/StationSettings.h"
#include "service/protocol/TextRules.h"

#include <QDate>

namespace zx {

QString ReceiptSale::dataTexto() const
{
    const QString t = vencimento.trimmed();
    for (const char *format : { "dd/MM/yyyy", "d/M/yyyy", "dd/MM/yy" }) {
        QDate d = QDate::fromString(t, QLatin1String(format));
        if (d.isValid()) {
            if (d.year() < 1950)
                d = d.addYears(100);
            return d.toString(QStringLiteral("dd/MM/yyyy"));
        }
    }
    return t;
}

QString ReceiptSale::cartaoTexto() const
{
    return protocol::fmtCartao(cartao);
}

int ReceiptSale::parcelasNumero() const
{
    bool ok = false;
    const int n = parcelas.trimmed().toInt(&ok);
    return ok && n >= 1 ? n : 1;
}

ReceiptSettings ReceiptSettings::fromStation()
{
    const StationSettings s;
    ReceiptSettings r;
    r.tipo = s.tipo();
    r.copias = s.qtdCop();
    r.visual = s.visual();
    r.linhasAvanco = s.linAvanc();
    return r;
}

} // namespace zx
