#pragma once
// A station on the fake platform with its data module and main window, for the shell
// tests: settings and company row written before the window starts.
#include "localstore/TDM.h"
#include "platform/fakes/FakePlatform.h"
#include "shell/TFrmPrincipal.h"

#include <QStringList>
#include <memory>

namespace shelltest {

// A CNPJ with valid check digits.
inline const QString kCnpj = QStringLiteral("11222333000181");

struct Station {
    zx::FakePlatform fp; // first: outlives the window and the tables
    std::unique_ptr<zx::TDM> dm;
    std::unique_ptr<zx::TFrmPrincipal> frame;

    // Copies the shipped message files into the program folder (so the message of the
    // day shows a message, not the missing-file warning).
    explicit Station(bool messageFiles = true);
    ~Station();

    void setKv(const QString &key, const QString &value);
    void setCfg(const QString &section, const QString &key, const QString &value);
    QString kv(const QString &key) const;
    // The company row of PARAMETRO.
    void setCompany(const QString &cnpj, const QString &name = QStringLiteral("LOJA TESTE"));
    // Rows of a table of the data folder.
    int rows(zx::DbfTable &table) const;

    // Creates the window with the arguments (after the program path), shows it and
    // waits until the start-up sequence ended or the window closed. Modal forms go to
    // fp.dialogs (the message of the day is rejected unless a test says otherwise).
    // Without a composer the window has no business pages (the frame alone).
    zx::TFrmPrincipal &start(
        const QStringList &arguments = {}, const zx::TFrmPrincipal::Composer &compose = {});
    // Creates the window without showing it (to register hooks first).
    zx::TFrmPrincipal &create(
        const QStringList &arguments = {}, const zx::TFrmPrincipal::Composer &compose = {});
    bool show();

    // Objects names of PageControl1's (or n's) visible pages, in order.
    QStringList visiblePages(int pageControl = 1) const;
    QString activePage(int pageControl = 1) const;
};

} // namespace shelltest
