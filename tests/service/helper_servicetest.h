#pragma once
// Common ground of the service-client tests: a fake station pointed at a fake SOAP
// server, short time-outs, a spy on the wait window, and readers of request parts.
#include "helper_fakesoap.h"

#include "platform/fakes/FakePlatform.h"

#include <QObject>
#include <QStringList>

namespace zxtest {

// Writes URL_WS of configura.ini [CONFIG] in the installed station.
void apontaServidor(const QString &base);

// Time-outs of every new transport for the life of the object (connect, send, receive).
class TempoCurto {
public:
    explicit TempoCurto(int receiveMs = 400);
    ~TempoCurto();

private:
    int m_saved[3];
};

// Records every showing of the wait window, with the caption it showed.
class EspiaoAguarde : public QObject {
    Q_OBJECT
public:
    EspiaoAguarde();
    ~EspiaoAguarde() override;
    QStringList mostrados;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

// The text of a request part: base64 decoded and, when `packed`, inflated and read as
// Windows-1252.
QString parteTexto(const FakeRequest &req, const QString &name, bool packed);

// A record list with one row of the given fields, as the server writes it.
QByteArray registro(const QStringList &campos, const QStringList &valores);

// zlib bytes of a Windows-1252 text (the server's packing).
QByteArray empacota(const QString &text);

} // namespace zxtest
