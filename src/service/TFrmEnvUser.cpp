#include "service/TFrmEnvUser.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace zx {

TFrmEnvUser::TFrmEnvUser(bool novaSenha, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_novaSenha(novaSenha)
{
    setObjectName(QStringLiteral("FrmEnvUser"));
    setFixedSize(245, 125);

    m_lblSenha = new QLabel(this);
    m_lblSenha->setObjectName(QStringLiteral("LblSenha"));
    m_lblSenha->setAlignment(Qt::AlignCenter);
    m_lblSenha->setWordWrap(true);
    m_lblSenha->setGeometry(12, 12, 221, 30);
    QFont bold = m_lblSenha->font();
    bold.setBold(true);
    m_lblSenha->setFont(bold);

    m_lblAux = new QLabel(this);
    m_lblAux->setObjectName(QStringLiteral("LBlAux"));
    m_lblAux->setAlignment(Qt::AlignCenter);
    m_lblAux->setGeometry(12, 44, 221, 24);
    QFont simbolo = m_lblAux->font();
    simbolo.setPixelSize(20);
    m_lblAux->setFont(simbolo);

    m_lblInfAux = new QLabel(kComposicao, this);
    m_lblInfAux->setObjectName(QStringLiteral("LBlInfAux"));
    m_lblInfAux->setAlignment(Qt::AlignCenter);
    m_lblInfAux->setStyleSheet(QStringLiteral("color: red;"));
    m_lblInfAux->setGeometry(12, 70, 221, 18);
    m_lblInfAux->setVisible(novaSenha);

    m_lblRodape = new QLabel(this);
    m_lblRodape->setObjectName(QStringLiteral("LblRodape"));
    m_lblRodape->setAlignment(Qt::AlignCenter);
    m_lblRodape->setGeometry(12, 95, 221, 18);
    atualizaRodape();
}

void TFrmEnvUser::prepara(const QString &prompt, const QColor &cor, bool dica)
{
    m_cor = cor;
    const QString corCss = QStringLiteral("color: %1;").arg(cor.name());
    m_lblSenha->setStyleSheet(corCss);
    m_lblAux->setStyleSheet(corCss);
    m_lblSenha->setText(prompt);
    if (m_novaSenha)
        return;
    m_lblInfAux->hide();
    // The filler symbols sit in the vertical centre.
    m_lblAux->move(m_lblAux->x(), height() / 2 - m_lblAux->height() / 3);
    if (dica) {
        QFont courier(QStringLiteral("Courier New"));
        courier.setPointSize(11);
        courier.setBold(true);
        courier.setStyleHint(QFont::Monospace);
        m_lblInfAux->setFont(courier);
        m_lblInfAux->setStyleSheet(QString());
        m_lblInfAux->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_lblInfAux->setText(QString(kDica).replace(QLatin1Char('\r'), QLatin1Char('\n')));
        const int h = m_lblInfAux->height() * 4;
        m_lblInfAux->setGeometry(m_lblInfAux->x(), (height() - h) / 2, m_lblInfAux->width(), h);
        m_lblInfAux->show();
    }
}

void TFrmEnvUser::digito(int d)
{
    if (m_digitos.size() >= kMaxDigitos)
        return;
    m_digitos += QChar(u'0' + d);
    m_lblAux->setText(QString(m_digitos.size(), QChar(0x25CF)));
    if (!m_novaSenha)
        m_lblInfAux->hide();
    atualizaRodape();
    if (m_digitos.size() == kMaxDigitos)
        fecha(m_digitos, QDialog::Accepted);
}

void TFrmEnvUser::limpa()
{
    m_digitos.clear();
    m_lblAux->clear();
    atualizaRodape();
}

void TFrmEnvUser::fecha(const QString &resultado, int code)
{
    m_resultado = resultado;
    done(code);
}

void TFrmEnvUser::atualizaRodape()
{
    m_lblRodape->setText(m_digitos.isEmpty() ? kRodapeVazio : kRodapeDigitos);
}

void TFrmEnvUser::keyPressEvent(QKeyEvent *event)
{
    const int k = event->key();
    if (k >= Qt::Key_0 && k <= Qt::Key_9) {
        digito(k - Qt::Key_0);
        return;
    }
    switch (k) {
    case Qt::Key_Escape:
        if (m_digitos.isEmpty())
            fecha(QString(), QDialog::Rejected);
        else
            limpa();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_digitos.isEmpty())
            fecha(QStringLiteral("SS"), QDialog::Accepted);
        else
            limpa();
        return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        limpa();
        return;
    case Qt::Key_Minus:
        if (event->modifiers() & Qt::KeypadModifier)
            limpa();
        return;
    default:
        event->accept();
    }
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
