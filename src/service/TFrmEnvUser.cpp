#include "service/TFrmEnvUser.h"

#include "common/widgets/TInsCarac.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QVBoxLayout>

namespace zx {

namespace {
// Shows one round symbol per character of its text (the entry writes one filler
// character per digit typed), so no font of symbols is needed.
class LabelSimbolos : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        p.setFont(font());
        p.drawText(contentsRect(), int(alignment()), QString(text().size(), QChar(0x25CF)));
    }
};
} // namespace

TFrmEnvUser::TFrmEnvUser(bool novaSenha, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_novaSenha(novaSenha)
{
    setObjectName(QStringLiteral("FrmEnvUser"));

    m_lblSenha = new QLabel(this);
    m_lblSenha->setObjectName(QStringLiteral("LblSenha"));
    m_lblSenha->setAlignment(Qt::AlignCenter);
    m_lblSenha->setWordWrap(true);
    QFont bold = m_lblSenha->font();
    bold.setBold(true);
    m_lblSenha->setFont(bold);

    m_lblAux = new LabelSimbolos(this);
    m_lblAux->setObjectName(QStringLiteral("LBlAux"));
    m_lblAux->setAlignment(Qt::AlignCenter);
    QFont simbolo = m_lblAux->font();
    simbolo.setPixelSize(20);
    m_lblAux->setFont(simbolo);
    // Room for the symbols even before the first digit, so the layout does not jump.
    m_lblAux->setMinimumHeight(QFontMetrics(simbolo).height() + 4);

    m_lblInfAux = new QLabel(kComposicao, this);
    m_lblInfAux->setObjectName(QStringLiteral("LBlInfAux"));
    m_lblInfAux->setAlignment(Qt::AlignCenter);
    m_lblInfAux->setWordWrap(true);
    m_lblInfAux->setStyleSheet(QStringLiteral("color: red;"));
    m_lblInfAux->setVisible(novaSenha);

    m_lblRodape = new QLabel(this);
    m_lblRodape->setObjectName(QStringLiteral("LblRodape"));
    m_lblRodape->setAlignment(Qt::AlignCenter);
    m_lblRodape->setWordWrap(true);
    // The entry swaps the footer text; reserve the longest one so the prompt keeps
    // its size when it does.
    m_lblRodape->setMinimumWidth(m_lblRodape->fontMetrics().horizontalAdvance(kRodapeVazio) + 4);

    // Sized by its layout: at least the usual 245 x 125, grown to whatever the prompt,
    // the hint and the footer need in the person's fonts, so nothing overlaps or is cut.
    // Inside the 10-pixel frame the stretches keep the symbols (and the hint under
    // them) in the vertical centre, the prompt on top and the footer at the bottom.
    const int margem = 16;
    auto *conteudo = new QVBoxLayout;
    conteudo->setSpacing(4);
    conteudo->addStrut(245 - 2 * margem);
    conteudo->addWidget(m_lblSenha);
    conteudo->addStretch(1);
    conteudo->addWidget(m_lblAux);
    conteudo->addWidget(m_lblInfAux);
    conteudo->addStretch(1);
    conteudo->addWidget(m_lblRodape);
    m_conteudo = conteudo;
    auto *lay = new QHBoxLayout(this);
    lay->setContentsMargins(margem, margem - 2, margem, margem - 2);
    lay->setSizeConstraint(QLayout::SetMinimumSize);
    lay->addStrut(125 - 2 * (margem - 2));
    lay->addLayout(conteudo);

    // The box that receives the keys: it must show to take the focus, but all the
    // person sees are the symbols of LBlAux.
    m_txtSenha = new QLineEdit(this);
    m_txtSenha->setObjectName(QStringLiteral("TxtSenha"));
    m_txtSenha->setFrame(false);
    m_txtSenha->setGeometry(0, 0, 1, 1);
    m_txtSenha->setStyleSheet(QStringLiteral("background: transparent; color: transparent;"));
    m_txtSenha->lower();

    m_ins = new TInsCarac(this);
    m_ins->setTxtSenha(m_txtSenha);
    m_ins->setLBlAux(m_lblAux);
    m_ins->setLblRodape(m_lblRodape);
    m_ins->setMxLeng(kMaxDigitos);
    m_ins->setMudaEnter(false);
    connect(m_txtSenha, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (!m_novaSenha && !t.isEmpty())
            m_lblInfAux->hide();
    });
}

void TFrmEnvUser::prepara(const QString &prompt, const QColor &cor, bool dica)
{
    m_cor = cor;
    for (QLabel *l : { m_lblSenha, m_lblAux }) {
        QPalette p = l->palette();
        p.setColor(QPalette::WindowText, cor);
        l->setPalette(p);
    }
    m_lblSenha->setText(prompt);
    if (m_novaSenha)
        return;
    m_lblInfAux->hide();
    if (dica) {
        QFont courier(QStringLiteral("Courier New"));
        courier.setPointSize(11);
        courier.setBold(true);
        courier.setStyleHint(QFont::Monospace);
        m_lblInfAux->setFont(courier);
        m_lblInfAux->setStyleSheet(QString());
        m_lblInfAux->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        // The hint is laid out by hand (spaces and breaks): never rewrap it.
        m_lblInfAux->setWordWrap(false);
        m_conteudo->setAlignment(m_lblInfAux, Qt::AlignHCenter);
        m_lblInfAux->setText(QString(kDica).replace(QLatin1Char('\r'), QLatin1Char('\n')));
        m_lblInfAux->show();
    }
}

QString TFrmEnvUser::resultado() const
{
    return m_ins->CNPJInsti();
}

void TFrmEnvUser::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The entry hides its auxiliary label when it has a box; here the label is the
    // only thing that shows the digits.
    m_lblAux->show();
    m_txtSenha->setFocus();
}

void TFrmEnvUser::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    QPen pen(m_cor, 10);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.drawRect(rect().adjusted(5, 5, -5, -5));
}

} // namespace zx
