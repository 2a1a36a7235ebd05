#include "common/TFuncao.h"

#include "common/Messages.h"
#include "common/TFrmPeriodo.h"
#include "common/core/DateText.h"
#include "common/core/Extenso.h"
#include "common/core/Identifiers.h"
#include "common/core/Juros.h"
#include "common/core/TextHelpers.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QScreen>
#include <QUrl>
#include <QWidget>

namespace zx {

namespace {
// Paints the border of a form shaped by BordaForm and keeps the shape in step with
// the form's size.
class BordaOverlay : public QWidget {
public:
    BordaOverlay(QWidget *form, int penWidth, const QColor &colour)
        : QWidget(form)
        , m_pen(colour, penWidth)
    {
        setObjectName(QStringLiteral("BordaForm"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        form->installEventFilter(this);
        fit();
    }
    void setPen(int penWidth, const QColor &colour)
    {
        m_pen = QPen(colour, penWidth);
        update();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == parentWidget() && event->type() == QEvent::Resize)
            fit();
        return false;
    }
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(m_pen);
        p.setBrush(Qt::NoBrush);
        const qreal half = m_pen.widthF() / 2;
        const QRectF r = QRectF(0, 0, width(), height() - 1).adjusted(half, half, -half, -half);
        p.drawRoundedRect(r, 15, 15);
        p.drawLine(QPointF(15, half), QPointF(width() - 15, half));
    }

private:
    void fit()
    {
        QWidget *form = parentWidget();
        setGeometry(form->rect());
        raise();
        QPainterPath path;
        path.addRoundedRect(QRectF(0, 0, form->width(), form->height() - 1), 15, 15);
        form->setMask(QRegion(path.toFillPolygon().toPolygon()));
    }
    QPen m_pen;
};

QString &boletoBase()
{
    static QString url = QStringLiteral("https://www.zentrix.com.br/boletos/");
    return url;
}

bool g_mouseHidden = false;
} // namespace

TFuncao::TFuncao(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("Funcao"));
}

QString TFuncao::SoNumero(const QString &text)
{
    return funcao::SoNumero(text);
}
QString TFuncao::FmtNr(const QString &text)
{
    return funcao::FmtNr(text);
}
QString TFuncao::inserCarac(const QString &direction, QChar fill, const QString &text, int length)
{
    return funcao::inserCarac(direction, fill, text, length);
}
QString TFuncao::Cria_Zeros(const QString &direction, const QString &text, int length)
{
    return funcao::Cria_Zeros(direction, text, length);
}
QString TFuncao::RemZerEsq(const QString &text)
{
    return funcao::RemZerEsq(text);
}
QString TFuncao::RemoveAcento(const QString &text)
{
    return funcao::RemoveAcento(text);
}
QString TFuncao::RemoveCarcEsp(const QString &text)
{
    return funcao::RemoveCarcEsp(text);
}
QString TFuncao::RemovEspDup(
    const QString &text, const QString &pattern, const QString &replacement)
{
    return funcao::RemovEspDup(text, pattern, replacement);
}
QString TFuncao::primMaiusc(const QString &text)
{
    return funcao::primMaiusc(text);
}
QString TFuncao::AlinhCampo(const QString &text, int alignment, int width)
{
    return funcao::AlinhCampo(text, alignment, width);
}
QString TFuncao::Encriptografar(const QString &text, QChar key)
{
    return funcao::Encriptografar(text, key);
}

bool TFuncao::CalculaCnpjCpf(const QString &text, bool showMessages)
{
    using V = funcao::CpfCnpjVerdict;
    const V v = funcao::checkCnpjCpf(text);
    if (funcao::isValid(v))
        return true;
    if (showMessages) {
        switch (v) {
        case V::TooLong:
            MsgZentrix(QStringLiteral("Número muito extenso!!!"));
            break;
        case V::InvalidCpf:
            MsgZentrix(QStringLiteral("CPF inválido!!!"));
            break;
        default:
            MsgZentrix(QStringLiteral("CNPJ inválido!!!"));
            break;
        }
    }
    return false;
}

QString TFuncao::FmtCNPJ_CPF(const QString &text)
{
    return funcao::FmtCNPJ_CPF(text);
}

bool TFuncao::VerPIS(const QString &text, bool showMessages)
{
    const funcao::PisVerdict v = funcao::checkPis(text);
    if (v == funcao::PisVerdict::Invalid && showMessages)
        Platform::dialogs().message(QStringLiteral("Atenção!"),
            QStringLiteral("O PIS/PASEP informado não é válido!"), MsgIcon::Error, MsgButton::Ok);
    return v == funcao::PisVerdict::Valid;
}

bool TFuncao::ValTitulo(const QString &text)
{
    const funcao::TituloVerdict v = funcao::checkTitulo(text);
    if (v == funcao::TituloVerdict::Invalid)
        MsgZentrix(QStringLiteral("Título inválido!!!"));
    return v == funcao::TituloVerdict::Valid;
}

bool TFuncao::ChecaEstado(const QString &text)
{
    if (funcao::estadoValido(text))
        return true;
    MsgZentrix(QLatin1Char('"') + text.trimmed()
        + QStringLiteral("\" não é uma Sigla de Estado válida!!!"));
    return false;
}

QString TFuncao::fmtCEP(const QString &text)
{
    return funcao::fmtCEP(text);
}
QString TFuncao::FmtFone(const QString &text)
{
    return funcao::FmtFone(text);
}

QString TFuncao::Comp_Fone(const QString &text)
{
    QString field;
    if (funcao::compFone(text, &field) == funcao::FoneVerdict::Incomplete)
        Platform::dialogs().message(QStringLiteral("Aviso do Sistema"),
            QStringLiteral("Número incompleto!!!"), MsgIcon::Error, MsgButton::Ok);
    return field;
}

bool TFuncao::ValData(const QString &text, bool showMessages)
{
    const bool ok = !funcao::SoNumero(text).isEmpty() && funcao::parseData(text).isValid();
    if (!ok && showMessages)
        zx::MsgErro(QStringLiteral("Data inválida!!!"));
    return ok;
}

QString TFuncao::NR_Extenso(Money amount)
{
    const std::optional<QString> words = funcao::extenso(amount);
    if (words)
        return *words;
    MsgZentrix(QStringLiteral("O valor está fora do intervalo permitido.")
        + QStringLiteral("O número deve ser menor que 999.999.999,99.")
        + QStringLiteral(" Se não for corrigido o número não será escrito por extenso."));
    return QString();
}

Money TFuncao::Juros(int modo, const QDate &fim, const QDate &inicio, Money rate, Money amount)
{
    return funcao::Juros(modo == 0 ? funcao::JurosModo::Desconto : funcao::JurosModo::Juros, fim,
        inicio, rate, amount);
}

int TFuncao::DiasNoMes(int year, int month)
{
    return funcao::DiasNoMes(year, month);
}

QString TFuncao::Periodo(QString &inicio, QString &fim)
{
    TFrmPeriodo form(Platform::clock().today(), QApplication::activeWindow());
    if (Platform::dialogs().runModal(form) == QDialog::Accepted) {
        inicio = form.inicio();
        fim = form.fim();
        return inicio + QLatin1Char('|') + fim;
    }
    inicio.clear();
    fim.clear();
    return QString();
}

bool TFuncao::FormExiste(const QList<const QWidget *> &forms)
{
    const QWidgetList open = QApplication::topLevelWidgets();
    for (const QWidget *f : forms)
        if (f && open.contains(const_cast<QWidget *>(f)))
            return true;
    return false;
}

QString TFuncao::Versao(const QString &fileName)
{
    const QString self = QCoreApplication::applicationFilePath();
    if (!fileName.isEmpty()
        && QFileInfo(fileName).canonicalFilePath() != QFileInfo(self).canonicalFilePath())
        return QString();
    return funcao::FmtVersao(QCoreApplication::applicationVersion());
}

QString TFuncao::NrIP()
{
    return Platform::hostInfo().firstIPv4();
}

void TFuncao::BordaForm(QWidget *form, int penWidth, const QColor &colour)
{
    if (!form)
        return;
    if (auto *existing = form->findChild<BordaOverlay *>(
            QStringLiteral("BordaForm"), Qt::FindDirectChildrenOnly)) {
        existing->setPen(penWidth, colour);
        return;
    }
    new BordaOverlay(form, penWidth, colour);
}

void TFuncao::MostraMouse(bool show, bool centre)
{
    if (show) {
        if (g_mouseHidden) {
            QGuiApplication::restoreOverrideCursor();
            g_mouseHidden = false;
        }
        return;
    }
    if (!g_mouseHidden) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
        g_mouseHidden = true;
    }
    // Qt cannot confine the pointer; parking it at the point is the nearest thing.
    if (QScreen *s = QGuiApplication::primaryScreen())
        QCursor::setPos(s, centre ? s->geometry().center() : s->geometry().topLeft());
}

void TFuncao::impBoletoTQB(const QString &nossoNumero, const QString &grupo,
    const QString &nomeSacado, const QString &endereco1, const QString &endereco2)
{
    // Values are percent-encoded: a name with "&" or "#" must not cut the address.
    auto enc = [](const QString &v) { return QString::fromLatin1(QUrl::toPercentEncoding(v)); };
    const QString url = boletoBase() + QStringLiteral("boleto_bb.php?nossnr=") + enc(nossoNumero)
        + QStringLiteral("&grupo=") + enc(grupo) + QStringLiteral("&nomSacad=") + enc(nomeSacado)
        + QStringLiteral("&ender1=") + enc(endereco1) + QStringLiteral("&ender2=") + enc(endereco2);
    Platform::desktop().openUrl(url);
}

QString TFuncao::boletoBaseUrl()
{
    return boletoBase();
}
void TFuncao::setBoletoBaseUrl(const QString &url)
{
    boletoBase() = url;
}

void TFuncao::MsgErro(const QString &text)
{
    zx::MsgErro(text);
}
void TFuncao::MsgAtencao(const QString &text)
{
    zx::MsgAtencao(text);
}

} // namespace zx
