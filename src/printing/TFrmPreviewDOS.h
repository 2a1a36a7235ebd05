#pragma once
// The text preview: a text report shown as on continuous paper, with paging, search
// and frozen lines, printed as ESC/P to the station's printer port. Run unseen it
// prints at once with the defaults and closes.
#include "printing/TextDocument.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTableWidget;

namespace zx {

class PrintOptionGroup;

class TFrmPreviewDOS : public QDialog {
    Q_OBJECT
public:
    TFrmPreviewDOS(
        int copias, bool avancoFinal, bool mostrar, int limiteLinhas, QWidget *owner = nullptr);

    // Filling the grid, row by row (text, line format).
    void adicionaLinha(const QString &texto, const QString &formato);
    void setDocumento(const TextDocument &doc);
    TextDocument documento() const;
    void limpa();
    static QString AlinhCampo(const QString &text, int alignment, int width);

    bool mostrar() const { return m_mostrar; }
    void setMostrar(bool mostrar) { m_mostrar = mostrar; }
    int copias() const { return m_copias; }
    void setCopias(int copias) { m_copias = copias; }
    bool avancoFinal() const { return m_avancoFinal; }
    int limiteLinhas() const { return m_limiteLinhas; }

    int totalPaginas() const;
    int paginaAtual() const;
    int linhaAtual() const;
    int linhasCongeladas() const;

    // Shown: runs modally. Unseen: prints at once with the defaults (all pages, one
    // copy, the station's port) without showing anything; Accepted when it printed,
    // Rejected when the port failed.
    int exibe();
    // Whether the last print (button, keys or unseen run) reached the port.
    bool impresso() const { return m_impresso; }

    // Prints pages inicio..fim to the port; false (message shown) when the port could
    // not be opened or written.
    bool imprimeFaixa(int inicio, int fim, const QString &porta);
    // Moves the cursor to the next row (down) or previous row (up) whose text contains
    // texto; false (cursor unchanged) when there is none.
    bool localiza(const QString &texto, bool abaixo);

public slots:
    void BtnImprimirClick();
    void BtnLocalizarClick();
    void primeiraPagina();
    void paginaAnterior();
    void proximaPagina();
    void ultimaPagina();
    void congelaLinha();
    void descongelaLinha();
    // Every row's text, one line each, to "Relatorio.csv" in the program folder.
    void salvaRelatorioCsv();
    void atualizaStatus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void ajustaLinha(int row);
    void vaiParaPagina(int pagina, bool abaixo);
    void EdtPaginaExit();
    bool teclaNaLista(QKeyEvent *key);
    QWidget *criaFuros(const QString &name);
    void posicionaCongela();

    QTableWidget *m_lista;
    QTableWidget *m_congela;
    QLineEdit *m_pagina;
    QLineEdit *m_loca;
    PrintOptionGroup *m_acima;
    QPushButton *m_primeira;
    QPushButton *m_anterior;
    QPushButton *m_proxima;
    QPushButton *m_ultima;
    QPushButton *m_localizar;
    QPushButton *m_imprimir;
    QStatusBar *m_status;
    QLabel *m_rodape;

    int m_copias;
    bool m_avancoFinal;
    bool m_mostrar;
    int m_limiteLinhas;
    bool m_imprimindo = false;
    bool m_impresso = false;
};

} // namespace zx
