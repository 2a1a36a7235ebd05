// zentrix-demo-station: prepares a station folder for the demo network, so that the
// program opens ready to sell at the demo merchant.
//
//   zentrix-demo-station --base URL [--fresh] [--root DIR] [--home DIR]
//
// The station paths come from ZENTRIX_ROOT / ZENTRIX_HOME (or --root / --home), as for
// the program. The service base address is written at every run (the server's port may
// change); the company, the station kind and the merchant settings only when the
// station has no company yet, so that later changes are kept. With --fresh only the
// base address is written: the program then starts with its first-run wizard.
#include "DemoSeed.h"

#include "config/CripLocal.h"
#include "config/StationSettings.h"
#include "localstore/TDM.h"
#include "platform/Platform.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

namespace {

// configura.ini [CONFIG] key of the service base address (the service client's setting).
const QString kBaseKey = QStringLiteral("URL_WS");

int fail(const QString &m)
{
    std::fprintf(stderr, "zentrix-demo-station: %s\n", qPrintable(m));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addOption(
        { QStringLiteral("base"), QStringLiteral("Service base address."), QStringLiteral("URL") });
    p.addOption(
        { QStringLiteral("fresh"), QStringLiteral("Only the base address: an empty station.") });
    p.addOption(
        { QStringLiteral("root"), QStringLiteral("Drive root (kv.ini)."), QStringLiteral("DIR") });
    p.addOption(
        { QStringLiteral("home"), QStringLiteral("Program folder."), QStringLiteral("DIR") });
    p.addHelpOption();
    p.process(app);
    if (!p.isSet(QStringLiteral("base")))
        return fail(QStringLiteral("--base URL is required"));
    QString base = p.value(QStringLiteral("base"));
    if (!base.endsWith(u'/'))
        base += u'/';

    zx::Platform::install(zx::Platform::real(app.arguments()));
    const QString home = zx::Platform::paths().programFolder();
    if (!zx::Platform::paths().ensureExist())
        return fail(QStringLiteral("cannot create ") + home);

    zx::StationSettings settings;
    if (!settings.installFile().writeString(zx::StationSettings::kConfig, kBaseKey, base))
        return fail(settings.installFile().errorString());
    if (p.isSet(QStringLiteral("fresh"))) {
        std::printf("fresh station at %s, services at %s\n", qPrintable(home), qPrintable(base));
        return 0;
    }

    zx::TDM dm(home, zx::Platform::hostInfo().firstIPv4());
    if (!dm.criaTabelas())
        return fail(dm.ultimoErro());
    if (!dm.CDSParamet.open())
        return fail(dm.CDSParamet.lastError());
    const bool hasCompany = !dm.CDSParamet.isEmpty() && dm.CDSParamet.first()
        && !dm.CDSParamet.asString(QStringLiteral("CNPJ_FORNE")).trimmed().isEmpty();
    if (hasCompany) {
        dm.CDSParamet.close();
        std::printf("station at %s kept as configured, services at %s\n", qPrintable(home),
            qPrintable(base));
        return 0;
    }
    const zx::server::DemoFacts &f = zx::server::demoFacts();
    const bool wasEmpty = dm.CDSParamet.isEmpty();
    const bool written = (wasEmpty ? dm.CDSParamet.append() : dm.CDSParamet.edit())
        && dm.CDSParamet.setAsString(QStringLiteral("CNPJ_FORNE"), f.merchantCnpj)
        && dm.CDSParamet.setAsString(QStringLiteral("DESCR_FORN"), f.merchantName)
        && dm.CDSParamet.setAsString(QStringLiteral("FANTA_FORN"), f.merchantTrade)
        && dm.CDSParamet.setAsString(QStringLiteral("ENDER_FORN"), f.merchantAddress)
        && dm.CDSParamet.setAsString(QStringLiteral("FONE_FORNE"), f.merchantPhone)
        && dm.CDSParamet.post();
    const QString tableError = dm.CDSParamet.lastError();
    dm.CDSParamet.close();
    if (!written)
        return fail(QStringLiteral("PARAMETRO: ") + tableError);
    // Kind 3 (merchant and employer), instalments allowed, segment 1 (supermarkets) and
    // municipality 1, as the server would hand them back.
    if (!settings.setCodigo(3) || !settings.setParcelar(f.merchantMaxInstallments > 1)
        || !settings.setIdSeg(QStringLiteral("1")) || !settings.setIdMunic(QStringLiteral("1")))
        return fail(QStringLiteral("cannot write the station settings"));
    std::printf("demo station for %s (%s) at %s, services at %s\n", qPrintable(f.merchantTrade),
        qPrintable(f.merchantCnpj), qPrintable(home), qPrintable(base));
    return 0;
}
