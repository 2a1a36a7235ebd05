#include "helper_shell.h"

#include "config/IniFile.h"
#include "config/StationSettings.h"
#include "shell/PageControl.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace shelltest {

Station::Station(bool messageFiles)
{
    if (messageFiles)
        for (const QString &n : { QStringLiteral("conf1.dat"), QStringLiteral("conf2.dat") })
            QFile::copy(
                QStringLiteral(ZX_BINARY_DIR "/data/") + n, zx::Platform::paths().inProgram(n));
    dm = std::make_unique<zx::TDM>();
}

Station::~Station()
{
    frame.reset();
    dm.reset();
}

void Station::setKv(const QString &key, const QString &value)
{
    zx::IniFile(zx::StationSettings::stationFilePath())
        .writeString(zx::StationSettings::kSistema, key, value);
}

void Station::setCfg(const QString &section, const QString &key, const QString &value)
{
    zx::IniFile(zx::StationSettings::installFilePath()).writeString(section, key, value);
}

QString Station::kv(const QString &key) const
{
    return zx::IniFile(zx::StationSettings::stationFilePath())
        .readString(zx::StationSettings::kSistema, key);
}

void Station::setCompany(const QString &cnpj, const QString &name)
{
    QVERIFY(dm->criaTabelas());
    zx::DbfTable &p = dm->CDSParamet;
    QVERIFY(p.open());
    p.first();
    QVERIFY(p.eof() ? p.append() : p.edit());
    p.setAsString(QStringLiteral("CNPJ_FORNE"), cnpj);
    p.setAsString(QStringLiteral("DESCR_FORN"), name);
    p.setAsString(QStringLiteral("FANTA_FORN"), name);
    QVERIFY(p.post());
    p.close();
}

int Station::rows(zx::DbfTable &table) const
{
    table.close();
    table.clearFilter();
    if (!table.open())
        return -1;
    const int n = table.recordCount();
    table.close();
    return n;
}

zx::TFrmPrincipal &Station::create(
    const QStringList &arguments, const zx::TFrmPrincipal::Composer &compose)
{
    frame = std::make_unique<zx::TFrmPrincipal>(
        *dm, QStringList { QStringLiteral("/opt/zentrix/zentrix") } + arguments, nullptr, compose);
    return *frame;
}

bool Station::show()
{
    frame->show();
    // Keys go to the focused control of the active window, as on a desktop.
    if (frame->isVisible() && !QTest::qWaitForWindowActive(frame.get()))
        return false;
    return frame->startupFinished() || !frame->isVisible();
}

zx::TFrmPrincipal &Station::start(
    const QStringList &arguments, const zx::TFrmPrincipal::Composer &compose)
{
    create(arguments, compose);
    show();
    return *frame;
}

QStringList Station::visiblePages(int pageControl) const
{
    QStringList out;
    zx::PageControl *pc = frame->pageControl(pageControl);
    for (int i = 0; i < pc->count(); ++i)
        if (pc->isTabVisible(i))
            out << pc->widget(i)->objectName();
    return out;
}

QString Station::activePage(int pageControl) const
{
    QWidget *w = frame->pageControl(pageControl)->currentWidget();
    return w ? w->objectName() : QString();
}

} // namespace shelltest
