#!/usr/bin/env python3
"""A SOAP client that knows zentrix-server only from its WSDL (standard library only).

    wsdl_client.py BASE_URL MERCHANT_CNPJ

Reads kv1.asmx?wsdl and kv3.asmx?wsdl, builds the envelopes from the schema, the
binding's SOAP actions and the service address they declare, and calls kv1.getResp,
kv3.getDatHor and kv3.getDSXML2. What the WSDL cannot say is the payload convention of
the byte arrays: zlib streams of Windows-1252 text, and the day's web identifier
("ddmmyyyy" as a number divided by 37). Prints one line per call; exit status 0 when
all three answered as expected.
"""
import base64
import datetime
import sys
import urllib.request
import xml.etree.ElementTree as ET
import zlib
from xml.sax.saxutils import escape

WSDL = "http://schemas.xmlsoap.org/wsdl/"
SOAP_BINDING = "http://schemas.xmlsoap.org/wsdl/soap/"
XSD = "http://www.w3.org/2001/XMLSchema"
ENVELOPE = "http://schemas.xmlsoap.org/soap/envelope/"


def encode(value, xsd_type):
    if xsd_type == "base64Binary":
        return base64.b64encode(value).decode("ascii")
    if xsd_type == "boolean":
        return "true" if value else "false"
    return escape(str(value))


def decode(text, xsd_type):
    if xsd_type == "base64Binary":
        return base64.b64decode(text)
    if xsd_type == "boolean":
        return text.strip() == "true"
    if xsd_type == "int":
        return int(text)
    return text


class Service:
    def __init__(self, wsdl_url):
        root = ET.fromstring(urllib.request.urlopen(wsdl_url, timeout=15).read())
        self.tns = root.get("targetNamespace")
        address = root.find(f".//{{{WSDL}}}service/{{{WSDL}}}port/{{{SOAP_BINDING}}}address")
        self.location = address.get("location")
        self.actions = {}
        for op in root.findall(f".//{{{WSDL}}}binding/{{{WSDL}}}operation"):
            self.actions[op.get("name")] = op.find(f"{{{SOAP_BINDING}}}operation").get("soapAction")
        self.elements = {}
        for element in root.findall(f".//{{{XSD}}}schema/{{{XSD}}}element"):
            parts = element.findall(f".//{{{XSD}}}element")
            self.elements[element.get("name")] = [(p.get("name"), p.get("type").split(":")[-1]) for p in parts]

    def call(self, operation, **args):
        body = "".join(
            f"<{name}>{encode(args[name], xsd_type)}</{name}>" for name, xsd_type in self.elements[operation]
        )
        envelope = (
            f'<?xml version="1.0" encoding="utf-8"?><soap:Envelope xmlns:soap="{ENVELOPE}"><soap:Body>'
            f'<{operation} xmlns="{self.tns}">{body}</{operation}></soap:Body></soap:Envelope>'
        )
        request = urllib.request.Request(
            self.location,
            data=envelope.encode("utf-8"),
            headers={"Content-Type": "text/xml; charset=utf-8", "SOAPAction": f'"{self.actions[operation]}"'},
        )
        reply = ET.fromstring(urllib.request.urlopen(request, timeout=15).read())
        result = reply.find(f".//{{{self.tns}}}{operation}Result")
        (result_type,) = [t for _, t in self.elements[operation + "Response"]]
        return decode(result.text or "", result_type)


def main():
    base, merchant = sys.argv[1].rstrip("/") + "/", sys.argv[2]
    kv1 = Service(base + "kv1.asmx?wsdl")
    kv3 = Service(base + "kv3.asmx?wsdl")
    ok = True

    greeting = kv1.call("getResp")
    print("getResp:", greeting)
    ok &= greeting.startswith("CONEXAO OK")

    clock = kv3.call("getDatHor")
    print("getDatHor:", " ".join(clock.split()))
    today = datetime.date.today().strftime("%d/%m/%Y")
    ok &= "<DATA>" in clock and "<VERSAO>" in clock

    web_id = str(int(datetime.date.today().strftime("%d%m%Y")) // 37)
    sql = f"select FANTA_PESSO, CHAVE_MUNIC from KV_PESSOA where CNPJ_PESSO = ENCRIP[{merchant}]"
    packed = kv3.call(
        "getDSXML2",
        id=zlib.compress(web_id.encode("cp1252"), 9),
        sql=zlib.compress(sql.encode("cp1252"), 9),
        dotNet=False,
    )
    rows = zlib.decompress(packed).decode("cp1252")
    print("getDSXML2:", " ".join(rows.split()))
    ok &= "<FANTA_PESSO>MERCADO BOA COMPRA</FANTA_PESSO>" in rows
    if today not in clock:
        print("note: the server's date differs from this machine's", file=sys.stderr)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
