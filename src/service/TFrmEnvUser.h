#pragma once
// The card holder's password prompt: six digits typed at the counter (or a new
// password chosen) through the protected numeric entry, shown as filler symbols only.
#include <QColor>
#include <QDialog>

class QLabel;
class QLineEdit;
class QVBoxLayout;

namespace zx {

class TInsCarac;

class TFrmEnvUser : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxDigitos = 6;
    static inline const QString kRodapeVazio
        = QStringLiteral("pressione ESC para Cancelar a solicitação");
    static inline const QString kRodapeDigitos = QStringLiteral("ESC - Limpar a senha");
    static inline const QString kComposicao
        = QStringLiteral("Composição da senha: 6 caracteres numéricos");
    static inline const QString kDica
        = QStringLiteral("        ATENÇÃO!!!\rSe o  usuário  ainda  não\rcadastrou a senha,  "
                         "pres-\rsione a tecla ENTER.");

    explicit TFrmEnvUser(bool novaSenha, QWidget *parent = nullptr);

    // Prompt text and colours (LblSenha and LBlAux in corAguarde); the hint text
    // under the symbols when asked (without the new-password flag).
    void prepara(const QString &prompt, const QColor &cor, bool dica);
    // The collected text once the prompt closed: six digits, "SS" or empty.
    QString resultado() const;

    QLabel *lblSenha() const { return m_lblSenha; }
    QLabel *lblAux() const { return m_lblAux; }
    QLabel *lblRodape() const { return m_lblRodape; }
    QLabel *lblInfAux() const { return m_lblInfAux; }
    // The (all but invisible) box whose keys the protected entry reads.
    QLineEdit *txtSenha() const { return m_txtSenha; }
    TInsCarac *insCarac() const { return m_ins; }

protected:
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_novaSenha;
    QColor m_cor = QColor(0, 0, 255);
    QLabel *m_lblSenha;
    QLabel *m_lblAux;
    QLabel *m_lblRodape;
    QLabel *m_lblInfAux;
    QLineEdit *m_txtSenha;
    TInsCarac *m_ins;
    QVBoxLayout *m_conteudo;
};

} // namespace zx
