#pragma once
// What the main window holds for every page: the station's identity, its kind, the
// codes read from configura.ini, the integration run and the start date. Pages read
// and update it here instead of reaching into each other's widgets.
//
// Header only, Qt Core types only: the page folders below the shell include it
// without linking the shell.
#include <QChar>
#include <QDate>
#include <QString>
#include <functional>
#include <vector>

namespace zx {

struct MainState {
    // CNPJ of the company the station acts for (first row of PARAMETRO, then the
    // company choice); empty until the station is configured.
    QString stationCnpj;
    // Station kind (CODIGO of kv.ini): 1 merchant, 2 institution, 3 both.
    int stationKind = 1;
    // "2" payroll deduction, "3" food card, "4" loyalty; empty outside institutions.
    QString institutionType;
    // Company name of the station (data module and service client).
    QString companyName;
    // Decoded IDSEG (default 9) and IDMUNIC (default 0), kept modulo 256.
    quint8 segmentCode = 9;
    quint8 municipalityCode = 0;

    // Integration run: the file that receives the sale's result, the first
    // command-line argument, the mode flag and the result written ('1', '2' or blank).
    QString integrationPath;
    QString firstArgument;
    bool integrationMode = false;
    QChar integrationResult = QLatin1Char(' ');

    // Sale value fixed before the sale page is used: VALOR_MENSA of configura.ini or
    // the amount handed over by the calling program. Empty when the cashier types it.
    QString presetSaleValue;
    bool saleValueReadOnly = false;
    // PARCELAR of kv.ini: the installments field of the sale page is enabled.
    bool installmentsEnabled = false;
    // PARC_CREDI_FIEL and INSTI_FIEL of configura.ini (loyalty page).
    bool loyaltyCreditInstallments = false;
    bool loyaltyInstitution = false;
    // Remembered item indexes: employee search kind (TIPPESQ), loyalty search kind
    // (TIPPESQ2), employee report choice (OPCRELFC). Pages keep them current; the
    // window writes them to configura.ini when it closes.
    int employeeSearchKind = 0;
    int loyaltySearchKind = 0;
    int employeeReportChoice = 0;

    // First character of the program folder's path (locates kv.ini and rel.txt).
    QChar driveLetter;
    // Local date at start; replaced by the server's date when they differ.
    QDate startDate;
    bool serverDateFetched = false;
    // Modern systems draw the tabs themselves.
    bool modernTabs = true;

    // The network's legacy web pages used by the statement and report pages.
    QString servicePageUrl;
    QString consultationPageUrl;

    // Station kind helpers.
    bool isMerchant() const { return stationKind == 1 || stationKind == 3; }
    bool isInstitution() const { return stationKind == 2 || stationKind == 3; }

    // Listeners told after the window changed the state (start-up steps, company
    // switch, configuration saved). Pages register one to refresh their controls.
    void onChange(std::function<void()> listener) { m_listeners.push_back(std::move(listener)); }
    void notifyChanged() const
    {
        for (const auto &l : m_listeners)
            l();
    }

private:
    std::vector<std::function<void()>> m_listeners;
};

} // namespace zx
