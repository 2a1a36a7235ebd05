#pragma once
// The utility component of every screen: Brazilian identifiers and formats, text
// helpers, amounts in words, interest and the period dialog. The operations keep no
// state; they are static so that a screen may call them with or without the
// instance owned by the main data module. Checks show their messages through the
// Dialogs seam when asked to; the plain text work lives in common/core (no window
// needed) and is reused here.
#include "common/core/Money.h"

#include <QColor>
#include <QDate>
#include <QList>
#include <QObject>
#include <QString>

class QWidget;

namespace zx {

class TFuncao : public QObject {
    Q_OBJECT
public:
    explicit TFuncao(QObject *parent = nullptr);

    // Text helpers
    static QString SoNumero(const QString &text);
    static QString FmtNr(const QString &text);
    static QString inserCarac(
        const QString &direction, QChar fill, const QString &text, int length);
    static QString Cria_Zeros(const QString &direction, const QString &text, int length);
    static QString RemZerEsq(const QString &text);
    static QString RemoveAcento(const QString &text);
    static QString RemoveCarcEsp(const QString &text);
    static QString RemovEspDup(
        const QString &text, const QString &pattern, const QString &replacement);
    static QString primMaiusc(const QString &text);
    static QString AlinhCampo(const QString &text, int alignment, int width);
    static QString Encriptografar(const QString &text, QChar key);

    // Identifiers and formats
    static bool CalculaCnpjCpf(const QString &text, bool showMessages);
    static QString FmtCNPJ_CPF(const QString &text);
    static bool VerPIS(const QString &text, bool showMessages);
    static bool ValTitulo(const QString &text);
    static bool ChecaEstado(const QString &text);
    static QString fmtCEP(const QString &text);
    static QString FmtFone(const QString &text);
    static QString Comp_Fone(const QString &text);
    // A dd/mm/yyyy date; "Data inválida!!!" through MsgErro when not and asked to.
    static bool ValData(const QString &text, bool showMessages);

    // Amounts in words, interest, months, period
    static QString NR_Extenso(Money amount);
    // modo 0 discount, 1 interest; rate in percent. Note the order: end date first.
    static Money Juros(int modo, const QDate &fim, const QDate &inicio, Money rate, Money amount);
    static int DiasNoMes(int year, int month);
    // Asks for a date range; "start|end" (and both texts set) or "" when cancelled.
    static QString Periodo(QString &inicio, QString &fim);

    // Station and windows
    // True when one of the (possibly dangling) pointers is a top-level window that
    // still exists; the pointers are compared, never followed.
    static bool FormExiste(const QList<const QWidget *> &forms);
    // MM.mm.rr.bb of the running program when fileName is empty or names it; other
    // files carry no version block off Windows and give "".
    static QString Versao(const QString &fileName = QString());
    static QString NrIP();
    // Rounded corners (30 by 30) and a border with a top line in the given pen.
    static void BordaForm(QWidget *form, int penWidth, const QColor &colour);
    // Hides the pointer (parked at the screen centre or top-left) or shows it again.
    static void MostraMouse(bool show, bool centre);
    // The maker's slip page in the default browser.
    static void impBoletoTQB(const QString &nossoNumero, const QString &grupo,
        const QString &nomeSacado, const QString &endereco1, const QString &endereco2);
    static QString boletoBaseUrl();
    static void setBoletoBaseUrl(const QString &url);

    static void MsgErro(const QString &text);
    static void MsgAtencao(const QString &text);
};

} // namespace zx
