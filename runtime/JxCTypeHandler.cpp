#include "runtime/JxCTypeHandler.h"

void JxCTypeHandler::Destroy(JxTypeValue) {}

std::int16_t JxCTypeHandler::Differs(JxTypeValue a, JxTypeValue b)
{
    return a != b ? 1 : 0;
}

JxTypeValue JxCTypeHandler::Copy(JxTypeValue value)
{
    return value;
}

void JxCTypeHandler::Release(JxTypeValue) {}

void JxCDispObjTypeHandler::Destroy(JxTypeValue value)
{
    delete ToRecord(value);
}

std::int16_t JxCDispObjTypeHandler::Differs(JxTypeValue a, JxTypeValue b)
{
    const JxDisplayObjectType* x = ToRecord(a);
    const JxDisplayObjectType* y = ToRecord(b);
    if (!x || !y)
        return x != y ? 1 : 0;
    return x->factory != y->factory || x->flag != y->flag ? 1 : 0;
}
