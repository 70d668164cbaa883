#include "link/recordrouter.h"

void RecordRouter::route(RecordKind kind, Handler handler)
{
    handlers[size_t(kind)] = std::move(handler);
}

bool RecordRouter::handles(RecordKind kind) const
{
    return bool(handlers[size_t(kind)]);
}

void RecordRouter::dispatch(const RecordLine &record) const
{
    const Handler &h = handlers[size_t(classifyRecord(record.name))];
    if (h)
        h(record);
}
