#pragma once
// The station's settings: the station file kv.ini at the drive root (shared by every
// program folder on the drive) and configura.ini in the program folder. Nothing is
// cached: every accessor reads the file, every setter writes through gravaSeMudou
// (so an unchanged value never rewrites the file) and returns false only when the
// file could not be written. Flags are stored as "1" (on) and "2" (off); numbers that
// cannot be read give the default.
#include "config/IniFile.h"

#include <QString>

namespace zx {

class StationSettings {
public:
    // Sections and keys.
    static inline const QString kSistema = QStringLiteral("SISTEMA");
    static inline const QString kConfig = QStringLiteral("CONFIG");

    // The files of the installed station (Platform::paths()).
    StationSettings();
    StationSettings(const QString &stationFilePath, const QString &installFilePath);

    // kv.ini at the drive root and configura.ini in the program folder; an existing
    // file whose name differs only in case is taken as it is.
    static QString stationFilePath();
    static QString installFilePath();

    IniFile &stationFile() { return m_kv; }
    IniFile &installFile() { return m_cfg; }
    const IniFile &stationFile() const { return m_kv; }
    const IniFile &installFile() const { return m_cfg; }

    // ---- kv.ini [SISTEMA]
    QString porta() const; // PORTA, "LPT1" when missing or empty
    QString portaGravandoPadrao(); // the same, writing "LPT1" first when missing or empty
    int tipo() const; // TIPO: 0 "Matricial", 1 "Gráfica 1", 2 "Gráfica 2"; default 0
    int qtdCop() const; // QTDCOP, default 2
    bool visual() const; // VISUAL == "1" (default empty: off)
    int linAvanc() const; // LINAVANC, default 5
    int tempLimit() const; // TEMPLIMIT (seconds), default 60
    bool parcelar() const; // PARCELAR == "1" (default "2")
    bool relExcel() const; // REL_EXCEL == "1" (default "2")
    bool proxyUtil() const; // PROXY_UTIL == "1" (default "2")
    bool proxyAutBas() const; // PROXY_AUTBAS == "1" (default "2")
    QString proxyServ() const; // PROXY_SERV, default empty
    QString proxyPort() const; // PROXY_PORT as stored (decimal text), default empty
    QString proxyUser() const; // PROXY_USER in clear (stored scrambled)
    QString proxyPass() const; // PROXY_PASS in clear (stored scrambled)
    int codigo() const; // CODIGO: station kind 1, 2 or 3; anything else counts as 1
    int codigoGravandoPadrao(); // the same, writing "1" when the stored text is not 1, 2 or 3

    bool setPorta(const QString &v);
    bool setTipo(int itemIndex);
    bool setQtdCop(const QString &v);
    bool setVisual(bool on);
    bool setLinAvanc(const QString &v);
    bool setTempLimit(const QString &v);
    bool setParcelar(bool on);
    bool setRelExcel(bool on);
    bool setProxyUtil(bool on);
    bool setProxyAutBas(bool on);
    bool setProxyServ(const QString &v);
    bool setProxyPort(const QString &v);
    bool setProxyUser(const QString &clear); // stored through cripLocal
    bool setProxyPass(const QString &clear); // stored through cripLocal
    bool setCodigo(int kind);

    // ---- configura.ini [SISTEMA]
    bool numLock() const; // NUM_LOCK == "1" (default "1": on)
    QString pathRemess() const; // PATHREMESS, default empty
    bool setNumLock(bool on);
    bool setPathRemess(const QString &v);

    // ---- configura.ini [CONFIG]
    bool parcCrediFiel() const; // PARC_CREDI_FIEL == "1" (default "2")
    bool instiFiel() const; // INSTI_FIEL == "1" (default "2")
    QString valorMensa() const; // VALOR_MENSA as stored (an amount text), default "0"
    int tipPesq() const; // TIPPESQ, default 0
    int tipPesq2() const; // TIPPESQ2, default 0
    int opcRelFc() const; // OPCRELFC, default 0
    // IDSEG decoded as a number, default 9, kept modulo 256.
    int idSeg() const;
    // The same, writing the scrambled "9" first when the key is missing.
    int idSegGravandoPadrao();
    // IDMUNIC decoded as a number, default 0, kept modulo 256.
    int idMunic() const;
    QString pathIntegracao() const; // PATHINTEGRACAO, default empty
    // The same, creating the key empty when it is missing.
    QString pathIntegracaoGravandoPadrao();
    QString versBx() const; // VERSBX, default empty

    bool setParcCrediFiel(bool on);
    bool setInstiFiel(bool on);
    bool setValorMensa(const QString &v);
    bool setTipPesq(int itemIndex);
    bool setTipPesq2(int itemIndex);
    bool setOpcRelFc(int itemIndex);
    bool setIdSeg(const QString &clear); // stored through cripLocal
    bool setIdMunic(const QString &clear); // stored through cripLocal
    bool setPathIntegracao(const QString &v);
    bool setVersBx(const QString &v);

    // "1" for on, "2" for off.
    static QString flag(bool on);

private:
    bool kvFlag(const QString &key) const;
    bool cfgFlag(const QString &section, const QString &key, bool def) const;
    bool setKv(const QString &key, const QString &value);
    bool setCfg(const QString &section, const QString &key, const QString &value);
    int decodedByte(const QString &key, int def) const;

    IniFile m_kv;
    IniFile m_cfg;
};

} // namespace zx
