#include "printing/ReportLayouts.h"

namespace zx::layouts {

namespace {

constexpr qreal kRow = 5;

ReportElement item(ReportElement::Kind kind, const QString &name, const QString &text,
    const QRectF &rect, qreal size = 8, bool bold = false)
{
    ReportElement e;
    e.kind = kind;
    e.name = name;
    e.text = text;
    e.rect = rect;
    e.font.size = size;
    e.font.bold = bold;
    return e;
}

// One receipt at (x, 0), width w; labels named with the suffix.
QList<ReportElement> receipt(qreal x, qreal w, const QString &suffix, bool shortCaptions,
    bool copyFromPipeline, const QString &copyCaption)
{
    const qreal cap = 30; // caption column
    auto fixed
        = [&](const QString &t, qreal y, qreal left = 0, qreal width = 0, bool bold = false) {
              return item(ReportElement::Text, {}, t,
                  QRectF(x + 2 + left, y, width > 0 ? width : w - 4 - left, kRow), 8, bold);
          };
    auto label = [&](const QString &name, qreal y, qreal left, qreal width = 0) {
        return item(ReportElement::Label, name + suffix, {},
            QRectF(x + 2 + left, y, width > 0 ? width : w - 4 - left, kRow));
    };
    auto line = [&](const QString &name, qreal y, qreal left, qreal width) {
        ReportElement e = item(ReportElement::Line, name.isEmpty() ? QString() : name + suffix, {},
            QRectF(x + left, y, width, 0.5));
        return e;
    };

    QList<ReportElement> out;
    ReportElement frame = item(ReportElement::Box, {}, {}, QRectF(x, 0, w, 124));
    out << frame;
    ReportElement title = fixed(QStringLiteral("ZENTRIX - AUTORIZAÇÃO DE COMPRA"), 1, 0, 0, true);
    title.font.size = 11;
    title.rect.setHeight(7);
    title.align = Qt::AlignCenter;
    out << title;

    ReportElement via = copyFromPipeline
        ? item(ReportElement::Field, QStringLiteral("InfdaVia"), {}, QRectF(x + 2, 8, w - 4, kRow),
            8, true)
        : item(ReportElement::Text, QStringLiteral("lblVia") + suffix, copyCaption,
            QRectF(x + 2, 8, w - 4, kRow), 8, true);
    via.align = Qt::AlignRight | Qt::AlignVCenter;
    ReportElement reimp = item(ReportElement::Text, QStringLiteral("lblReimpressao") + suffix,
        QStringLiteral("REIMPRESSÃO"), QRectF(x + 2, 8, w - 4, kRow), 9, true);
    reimp.align = Qt::AlignRight | Qt::AlignVCenter;
    reimp.visible = false;
    out << via << reimp;

    out << fixed(QStringLiteral("Instituição:"), 14, 0, cap, true)
        << label(QStringLiteral("lblInstituicao"), 14, cap)
        << fixed(QStringLiteral("Autorização:"), 19, 0, cap, true)
        << label(QStringLiteral("lblAutorizacao"), 19, cap)
        << fixed(QStringLiteral("Data/Hora:"), 24, 0, cap, true)
        << label(QStringLiteral("lblDataHora"), 24, cap) << line({}, 30, 0, w)
        << fixed(QStringLiteral("Estabelecimento Credenciado:"), 31, 0, 0, true)
        << label(QStringLiteral("lblFantasia"), 36, 0) << label(QStringLiteral("lblRazao"), 41, 0)
        << line({}, 47, 0, w)
        << fixed(QStringLiteral("Identificação do Funcionário:"), 48, 0, 0, true)
        << fixed(QStringLiteral("Nome:"), 53, 0, cap) << label(QStringLiteral("lblNome"), 53, cap)
        << fixed(shortCaptions ? QStringLiteral("Depend.:") : QStringLiteral("Dependente:"), 58, 0,
               cap)
        << label(QStringLiteral("lblDependente"), 58, cap);
    ReportElement cardCaption = label(QStringLiteral("lblCartaoCap"), 63, 0, cap);
    cardCaption.text = QStringLiteral("Cartão:");
    out << cardCaption << label(QStringLiteral("lblCartao"), 63, cap) << line({}, 69, 0, w)
        << fixed(QStringLiteral("Dados da Venda:"), 70, 0, 0, true)
        << fixed(QStringLiteral("Data:"), 75, 0, 12) << label(QStringLiteral("lblData"), 75, 12, 30)
        << fixed(QStringLiteral("Hora:"), 75, 45, 12)
        << label(QStringLiteral("lblHora"), 75, 57, 30)
        << fixed(QStringLiteral("Valor:"), 80, 0, 12)
        << label(QStringLiteral("lblValor"), 80, 12, 30)
        << fixed(QStringLiteral("Parc.:"), 80, 45, 12)
        << label(QStringLiteral("lblParcelas"), 80, 57, 30);

    ReportElement memo = label(QStringLiteral("memDeclaracao"), 87, 0);
    memo.text = QStringLiteral(
        "Autorizo o Estabelecimento acima especificado, a receber do meu Empregador o valor "
        "dessa AUTORIZACAO, que sera descontada dos meus proventos, conforme convenio firmado "
        "com a Instituicao.");
    memo.rect.setHeight(16);
    memo.wordWrap = true;
    memo.align = Qt::AlignLeft | Qt::AlignTop;
    memo.font.size = 7;
    out << memo;

    out << line(QStringLiteral("linAssinatura"), 112, w * 0.15, w * 0.7);
    ReportElement sign = item(ReportElement::Text, QStringLiteral("lblAssinatura") + suffix,
        QStringLiteral("Assinatura"), QRectF(x + 2, 112.5, w - 4, kRow));
    sign.align = Qt::AlignCenter;
    out << sign
        << item(ReportElement::Text, QStringLiteral("lblRG") + suffix, QStringLiteral("RG.:"),
               QRectF(x + 2 + w * 0.15, 118, w * 0.5, kRow));
    return out;
}

} // namespace

ReportLayout rptAutoriz()
{
    ReportLayout l;
    l.name = QStringLiteral("rptAutoriz");
    ReportBand detail;
    detail.kind = ReportBand::Detail;
    detail.height = 130;
    const qreal w = 96;
    detail.elements = receipt(0, w, QStringLiteral("1"), false, false,
                          QStringLiteral("1ª Via - Estabelecimento"))
        + receipt(w + 5, w, QStringLiteral("2"), false, false, QStringLiteral("2ª Via - Usuário"));
    l.bands = { detail };
    return l;
}

ReportLayout rptGrafMatric()
{
    ReportLayout l;
    l.name = QStringLiteral("rptGrafMatric");
    l.hasPipeline = true;
    l.pipeline.name = QStringLiteral("TxtGrafMatric");
    l.pipeline.fields = { { QStringLiteral("InfdaVia"), false, 200 } };
    ReportBand detail;
    detail.kind = ReportBand::Detail;
    detail.height = 130;
    detail.elements = receipt(0, 120, QString(), true, true, QString());
    l.bands = { detail };
    return l;
}

} // namespace zx::layouts
