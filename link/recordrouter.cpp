#include "link/recordrouter.h"

void RecordRouter::route(RecordKind kind, Handler handler)
{
    handlers[size_t(kind)] = std::move(handler);
}

bool RecordRouter::handles(RecordKind kind) const
{
    return bool(handlers[size_t(kind)]);
}

void RecordRouter::tap(RecordKind kind, Handler observer)
{
    observers[size_t(kind)].push_back(std::move(observer));
}

void RecordRouter::dispatch(const RecordLine &record) const
{
    const size_t kind = size_t(classifyRecord(record.name));
    if (const Handler &h = handlers[kind])
        h(record);
    for (const Handler &o : observers[kind])
        o(record);
}
