#pragma once
// The card holder's password prompt: six digits typed at the counter (or a new
// password chosen), shown as filler symbols only.
#include <QColor>
#include <QDialog>

class QLabel;

namespace zx {

class TFrmEnvUser : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxDigitos = 6;
    static inline const QString kRodapeVazio =
        QStringLiteral("pressione ESC para Cancelar a solicitação");
    static inline const QString kRodapeDigitos = QStringLiteral("ESC - Limpar a senha");
    static inline const QString kComposicao =
        QStringLiteral("Composição da senha: 6 caracteres numéricos");
    static inline const QString kDica = QStringLiteral(
        "        ATENÇÃO!!!\rSe o  usuário  ainda  não\rcadastrou a senha,  pres-\rsione a tecla ENTER.");

    TFrmEnvUser(bool novaSenha, QWidget *parent = nullptr);

    // Prompt text and colours (LblSenha and LBlAux in corAguarde).
    void prepara(const QString &prompt, const QColor &cor, bool dica);
    // The collected text once the prompt closed: digits, "SS" or empty.
    QString resultado() const { return m_resultado; }
    QString digitos() const { return m_digitos; }

    QLabel *lblSenha() const { return m_lblSenha; }
    QLabel *lblAux() const { return m_lblAux; }
    QLabel *lblRodape() const { return m_lblRodape; }
    QLabel *lblInfAux() const { return m_lblInfAux; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void digito(int d);
    void limpa();
    void fecha(const QString &resultado, int code);
    void atualizaRodape();

    bool m_novaSenha;
    QColor m_cor = QColor(0, 0, 255);
    QString m_digitos;
    QString m_resultado;
    QLabel *m_lblSenha;
    QLabel *m_lblAux;
    QLabel *m_lblRodape;
    QLabel *m_lblInfAux;
};

} // namespace zx
