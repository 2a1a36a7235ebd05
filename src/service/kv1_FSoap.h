#pragma once
// Loyalty-card transactions (service kv1_F): the same declarations as kv1.
#include "service/kv1Soap.h"

namespace zx {

class kv1_FSoap : public kv1Soap {
public:
    kv1_FSoap()
        : kv1Soap(QStringLiteral("kv1_F"))
    {
    }
    explicit kv1_FSoap(const ServiceEndpoint &endpoint)
        : kv1Soap(QStringLiteral("kv1_F"), endpoint)
    {
    }
};

} // namespace zx
