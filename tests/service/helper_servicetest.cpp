#include "helper_servicetest.h"

#include "common/core/Cp1252.h"
#include "config/IniFile.h"
#include "config/StationSettings.h"
#include "service/ServiceSettings.h"
#include "service/SoapTransport.h"
#include "service/TFrmAguaLogin.h"
#include "service/protocol/Packing.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>

namespace zxtest {

void apontaServidor(const QString &base)
{
    zx::IniFile ini(zx::StationSettings::installFilePath());
    ini.writeString(zx::StationSettings::kConfig, zx::ServiceSettings::kBaseKey, base);
}

TempoCurto::TempoCurto(int receiveMs)
{
    const zx::SoapTimeouts t = zx::SoapTransport::defaultTimeouts();
    m_saved[0] = t.connectMs;
    m_saved[1] = t.sendMs;
    m_saved[2] = t.receiveMs;
    zx::SoapTransport::setDefaultTimeouts({ 2000, 2000, receiveMs });
}

TempoCurto::~TempoCurto()
{
    zx::SoapTransport::setDefaultTimeouts({ m_saved[0], m_saved[1], m_saved[2] });
}

EspiaoAguarde::EspiaoAguarde()
{
    qApp->installEventFilter(this);
}
EspiaoAguarde::~EspiaoAguarde()
{
    qApp->removeEventFilter(this);
}

bool EspiaoAguarde::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *w = qobject_cast<zx::TFrmAguaLogin *>(watched))
            mostrados << w->mensagem();
    }
    return false;
}

QString parteTexto(const FakeRequest &req, const QString &name, bool packed)
{
    const QString text = FakeSoapServer::elementText(req.body, name);
    if (!packed)
        return text;
    const auto bytes = zx::protocol::zlibInflate(QByteArray::fromBase64(text.toLatin1()));
    return bytes ? zx::cp1252::decode(*bytes) : QStringLiteral("<não inflou>");
}

QByteArray registro(const QStringList &campos, const QStringList &valores)
{
    QString xml = QStringLiteral(
        "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n<DATASET>\r\n<REGISTRO>\r\n");
    for (qsizetype i = 0; i < campos.size(); ++i)
        xml += QLatin1Char('<') + campos.at(i) + QLatin1Char('>') + valores.value(i)
            + QStringLiteral("</") + campos.at(i) + QStringLiteral(">\r\n");
    xml += QStringLiteral("</REGISTRO>\r\n</DATASET>\r\n");
    return zx::cp1252::encode(xml);
}

QByteArray empacota(const QString &text)
{
    return zx::protocol::zlibDeflate(zx::cp1252::encode(text));
}

} // namespace zxtest
