#pragma once

#include "link/framing.h"
#include "link/recordnames.h"

#include <array>
#include <functional>
#include <vector>

// Routes each record line to the handler its page registered for the record's kind. The
// names and the order they are tested in are fixed by classifyRecord(); the pages fill the
// table at start-up, one handler per kind. A kind nobody handles is dropped.
class RecordRouter
{
public:
    using Handler = std::function<void(const RecordLine &)>;

    // Sets the handler of one kind, replacing any earlier one.
    void route(RecordKind kind, Handler handler);
    bool handles(RecordKind kind) const;
    // Adds an observer of one kind, run after its handler (charts, recording of values);
    // observers only read the record.
    void tap(RecordKind kind, Handler observer);

    // Classifies the record by its name and runs its handler synchronously.
    void dispatch(const RecordLine &record) const;

private:
    static constexpr size_t kindCount = size_t(RecordKind::Restart) + 1;
    std::array<Handler, kindCount> handlers;
    std::array<std::vector<Handler>, kindCount> observers;
};
