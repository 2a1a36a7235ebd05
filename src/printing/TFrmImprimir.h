#pragma once
// The print dialog of the text preview: port (read-only), range, pages and copies.
#include <QDialog>

class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zx {

class PrintOptionGroup;

class TFrmImprimir : public QDialog {
    Q_OBJECT
public:
    enum Intervalo { Todas = 0, PaginaAtual = 1, Faixa = 2 };

    TFrmImprimir(QWidget *owner, bool mostrar);

    void setPorta(const QString &porta);
    QString porta() const;
    void setPaginas(int primeira, int ultima);
    void setCopias(int copias);

    Intervalo intervalo() const;
    void setIntervalo(Intervalo i);
    // The page boxes read as numbers; unreadable counts as 1.
    int pagIni() const;
    int pagFim() const;
    int copias() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void intervaloMudou(int index);
    void confirma();
    void saiPagina(QLineEdit *box);
    bool confereFaixa();

    QLineEdit *m_porta;
    PrintOptionGroup *m_intervalo;
    QLineEdit *m_pagIni;
    QLineEdit *m_pagFim;
    QSpinBox *m_copias;
    QPushButton *m_ok;
    QPushButton *m_cancelar;
    bool m_mostrar;
    bool m_checking = false;
};

} // namespace zx
