#include "config/StationSettings.h"

#include "config/CripLocal.h"
#include "platform/Platform.h"

namespace zx {

namespace {
const QString kPorta = QStringLiteral("PORTA");
const QString kTipo = QStringLiteral("TIPO");
const QString kQtdCop = QStringLiteral("QTDCOP");
const QString kVisual = QStringLiteral("VISUAL");
const QString kLinAvanc = QStringLiteral("LINAVANC");
const QString kTempLimit = QStringLiteral("TEMPLIMIT");
const QString kParcelar = QStringLiteral("PARCELAR");
const QString kRelExcel = QStringLiteral("REL_EXCEL");
const QString kProxyUtil = QStringLiteral("PROXY_UTIL");
const QString kProxyAutBas = QStringLiteral("PROXY_AUTBAS");
const QString kProxyServ = QStringLiteral("PROXY_SERV");
const QString kProxyPort = QStringLiteral("PROXY_PORT");
const QString kProxyUser = QStringLiteral("PROXY_USER");
const QString kProxyPass = QStringLiteral("PROXY_PASS");
const QString kCodigo = QStringLiteral("CODIGO");
const QString kNumLock = QStringLiteral("NUM_LOCK");
const QString kPathRemess = QStringLiteral("PATHREMESS");
const QString kParcCrediFiel = QStringLiteral("PARC_CREDI_FIEL");
const QString kInstiFiel = QStringLiteral("INSTI_FIEL");
const QString kValorMensa = QStringLiteral("VALOR_MENSA");
const QString kTipPesq = QStringLiteral("TIPPESQ");
const QString kTipPesq2 = QStringLiteral("TIPPESQ2");
const QString kOpcRelFc = QStringLiteral("OPCRELFC");
const QString kIdSeg = QStringLiteral("IDSEG");
const QString kIdMunic = QStringLiteral("IDMUNIC");
const QString kPathIntegracao = QStringLiteral("PATHINTEGRACAO");
const QString kVersBx = QStringLiteral("VERSBX");

const QString kLpt1 = QStringLiteral("LPT1");
} // namespace

StationSettings::StationSettings()
    : StationSettings(stationFilePath(), installFilePath())
{
}

StationSettings::StationSettings(const QString &stationFilePath, const QString &installFilePath)
    : m_kv(stationFilePath)
    , m_cfg(installFilePath)
{
}

QString StationSettings::stationFilePath()
{
    return IniFile::findIgnoringCase(Platform::paths().inRoot(QStringLiteral("kv.ini")));
}

QString StationSettings::installFilePath()
{
    return IniFile::findIgnoringCase(Platform::paths().inProgram(QStringLiteral("configura.ini")));
}

QString StationSettings::flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("2");
}

bool StationSettings::kvFlag(const QString &key) const
{
    return m_kv.readString(kSistema, key) == QLatin1String("1");
}

bool StationSettings::cfgFlag(const QString &section, const QString &key, bool def) const
{
    return m_cfg.readString(section, key, flag(def)) == QLatin1String("1");
}

bool StationSettings::setKv(const QString &key, const QString &value)
{
    return gravaSeMudou(m_kv, kSistema, key, value);
}

bool StationSettings::setCfg(const QString &section, const QString &key, const QString &value)
{
    return gravaSeMudou(m_cfg, section, key, value);
}

int StationSettings::decodedByte(const QString &key, int def) const
{
    bool ok = false;
    const int n = decripLocal(m_cfg.readString(kConfig, key)).trimmed().toInt(&ok, 10);
    return (ok ? n : def) & 0xFF;
}

// ---- kv.ini

QString StationSettings::porta() const
{
    const QString p = m_kv.readString(kSistema, kPorta);
    return p.isEmpty() ? kLpt1 : p;
}

QString StationSettings::portaGravandoPadrao()
{
    if (m_kv.readString(kSistema, kPorta).isEmpty())
        m_kv.writeString(kSistema, kPorta, kLpt1);
    return porta();
}

int StationSettings::tipo() const
{
    const int t = m_kv.readInteger(kSistema, kTipo, 0);
    return t >= 0 && t <= 2 ? t : 0;
}

int StationSettings::qtdCop() const
{
    return m_kv.readInteger(kSistema, kQtdCop, 2);
}
bool StationSettings::visual() const
{
    return kvFlag(kVisual);
}
int StationSettings::linAvanc() const
{
    return m_kv.readInteger(kSistema, kLinAvanc, 5);
}
int StationSettings::tempLimit() const
{
    return m_kv.readInteger(kSistema, kTempLimit, 60);
}
bool StationSettings::parcelar() const
{
    return kvFlag(kParcelar);
}
bool StationSettings::relExcel() const
{
    return kvFlag(kRelExcel);
}
bool StationSettings::proxyUtil() const
{
    return kvFlag(kProxyUtil);
}
bool StationSettings::proxyAutBas() const
{
    return kvFlag(kProxyAutBas);
}
QString StationSettings::proxyServ() const
{
    return m_kv.readString(kSistema, kProxyServ);
}
QString StationSettings::proxyPort() const
{
    return m_kv.readString(kSistema, kProxyPort);
}

QString StationSettings::proxyUser() const
{
    return decripLocal(m_kv.readString(kSistema, kProxyUser));
}

QString StationSettings::proxyPass() const
{
    return decripLocal(m_kv.readString(kSistema, kProxyPass));
}

int StationSettings::codigo() const
{
    const int k = m_kv.readInteger(kSistema, kCodigo, 0);
    return k >= 1 && k <= 3 ? k : 1;
}

int StationSettings::codigoGravandoPadrao()
{
    const int k = m_kv.readInteger(kSistema, kCodigo, 0);
    if (k >= 1 && k <= 3)
        return k;
    m_kv.writeString(kSistema, kCodigo, QStringLiteral("1"));
    return 1;
}

bool StationSettings::setPorta(const QString &v)
{
    return setKv(kPorta, v);
}
bool StationSettings::setTipo(int itemIndex)
{
    return setKv(kTipo, QString::number(itemIndex));
}
bool StationSettings::setQtdCop(const QString &v)
{
    return setKv(kQtdCop, v);
}
bool StationSettings::setVisual(bool on)
{
    return setKv(kVisual, flag(on));
}
bool StationSettings::setLinAvanc(const QString &v)
{
    return setKv(kLinAvanc, v);
}
bool StationSettings::setTempLimit(const QString &v)
{
    return setKv(kTempLimit, v);
}
bool StationSettings::setParcelar(bool on)
{
    return setKv(kParcelar, flag(on));
}
bool StationSettings::setRelExcel(bool on)
{
    return setKv(kRelExcel, flag(on));
}
bool StationSettings::setProxyUtil(bool on)
{
    return setKv(kProxyUtil, flag(on));
}
bool StationSettings::setProxyAutBas(bool on)
{
    return setKv(kProxyAutBas, flag(on));
}
bool StationSettings::setProxyServ(const QString &v)
{
    return setKv(kProxyServ, v);
}
bool StationSettings::setProxyPort(const QString &v)
{
    return setKv(kProxyPort, v);
}
bool StationSettings::setProxyUser(const QString &clear)
{
    return setKv(kProxyUser, cripLocal(clear));
}
bool StationSettings::setProxyPass(const QString &clear)
{
    return setKv(kProxyPass, cripLocal(clear));
}
bool StationSettings::setCodigo(int kind)
{
    return setKv(kCodigo, QString::number(kind));
}

// ---- configura.ini [SISTEMA]

bool StationSettings::numLock() const
{
    return cfgFlag(kSistema, kNumLock, true);
}
QString StationSettings::pathRemess() const
{
    return m_cfg.readString(kSistema, kPathRemess);
}
bool StationSettings::setNumLock(bool on)
{
    return setCfg(kSistema, kNumLock, flag(on));
}
bool StationSettings::setPathRemess(const QString &v)
{
    return setCfg(kSistema, kPathRemess, v);
}

// ---- configura.ini [CONFIG]

bool StationSettings::parcCrediFiel() const
{
    return cfgFlag(kConfig, kParcCrediFiel, false);
}
bool StationSettings::instiFiel() const
{
    return cfgFlag(kConfig, kInstiFiel, false);
}
QString StationSettings::valorMensa() const
{
    return m_cfg.readString(kConfig, kValorMensa, QStringLiteral("0"));
}
int StationSettings::tipPesq() const
{
    return m_cfg.readInteger(kConfig, kTipPesq, 0);
}
int StationSettings::tipPesq2() const
{
    return m_cfg.readInteger(kConfig, kTipPesq2, 0);
}
int StationSettings::opcRelFc() const
{
    return m_cfg.readInteger(kConfig, kOpcRelFc, 0);
}

int StationSettings::idSeg() const
{
    return decodedByte(kIdSeg, 9);
}

int StationSettings::idSegGravandoPadrao()
{
    if (!m_cfg.valueExists(kConfig, kIdSeg))
        m_cfg.writeString(kConfig, kIdSeg, cripLocal(QStringLiteral("9")));
    return idSeg();
}

int StationSettings::idMunic() const
{
    return decodedByte(kIdMunic, 0);
}

QString StationSettings::pathIntegracao() const
{
    return m_cfg.readString(kConfig, kPathIntegracao);
}

QString StationSettings::pathIntegracaoGravandoPadrao()
{
    if (!m_cfg.valueExists(kConfig, kPathIntegracao))
        m_cfg.writeString(kConfig, kPathIntegracao, QString());
    return pathIntegracao();
}

QString StationSettings::versBx() const
{
    return m_cfg.readString(kConfig, kVersBx);
}

bool StationSettings::setParcCrediFiel(bool on)
{
    return setCfg(kConfig, kParcCrediFiel, flag(on));
}
bool StationSettings::setInstiFiel(bool on)
{
    return setCfg(kConfig, kInstiFiel, flag(on));
}
bool StationSettings::setValorMensa(const QString &v)
{
    return setCfg(kConfig, kValorMensa, v);
}
bool StationSettings::setTipPesq(int i)
{
    return setCfg(kConfig, kTipPesq, QString::number(i));
}
bool StationSettings::setTipPesq2(int i)
{
    return setCfg(kConfig, kTipPesq2, QString::number(i));
}
bool StationSettings::setOpcRelFc(int i)
{
    return setCfg(kConfig, kOpcRelFc, QString::number(i));
}
bool StationSettings::setIdSeg(const QString &clear)
{
    return setCfg(kConfig, kIdSeg, cripLocal(clear));
}
bool StationSettings::setIdMunic(const QString &clear)
{
    return setCfg(kConfig, kIdMunic, cripLocal(clear));
}
bool StationSettings::setPathIntegracao(const QString &v)
{
    return setCfg(kConfig, kPathIntegracao, v);
}
bool StationSettings::setVersBx(const QString &v)
{
    return setCfg(kConfig, kVersBx, v);
}

} // namespace zx
