#pragma once
// The demo network: one merchant station company, a payroll institution with a dozen
// employees and cards in every status, a food-card institution with invoices and slips,
// a loyalty merchant with its customers, municipalities, web users, card passwords and
// a few past sales. Every CPF and CNPJ carries valid check digits.
#include <QDate>
#include <QSqlDatabase>
#include <QString>

namespace zx::server {

struct DemoCard {
    QString number; // 10 digits
    QString password; // six digits; empty: the holder has none yet
};

struct DemoFacts {
    QString operatorCnpj; // the network itself (its users act for any company)
    QString merchantCnpj; // "MERCADO BOA COMPRA": the demo station's company; also an
                          // institution (type 2) for its own staff
    QString merchantName, merchantTrade, merchantAddress, merchantPhone;
    QString otherMerchantCnpj; // "DROGARIA VIDA", active, one instalment only
    QString inactiveMerchantCnpj; // "FARMACIA SAO JOSE", no longer accredited
    QString payrollCnpj; // "METALURGICA HORIZONTE", institution type 2
    QString blockedInstCnpj; // "TRANSPORTES RAPIDO SUL", institution type 2, blocked
    QString foodCnpj; // "CONSTRUTORA PILAR", institution type 3
    QString loyaltyCnpj; // "AUTO POSTO ESTRELA", merchant and institution type 4

    DemoCard card; // active, limit 1.500,00, with a password
    DemoCard cardNoPassword; // active, holder without password yet
    DemoCard cardLowBalance; // active, limit 300,00 of which 290,00 used
    DemoCard cardTempBlocked; // status 0
    DemoCard cardCancelled; // status 2
    DemoCard cardBlocked; // status 3
    DemoCard cardBlockedInstitution; // active card of the blocked institution
    DemoCard cardFood; // food-card institution
    DemoCard cardLoyalty; // loyalty card of the loyalty merchant

    QString merchantUser, merchantUserPassword; // web user of the demo merchant
    QString institutionUser, institutionUserPassword; // web user of the payroll institution
    QString staffUser, staffUserPassword; // the network's support staff
    int merchantMaxInstallments = 3;
};

const DemoFacts &demoFacts();

// Fills an empty database. Dates of past sales and invoices count back from `today`.
bool seedDemo(QSqlDatabase db, const QDate &today, QString *error = nullptr);

} // namespace zx::server
