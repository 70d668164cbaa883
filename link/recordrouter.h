#pragma once

#include "link/framing.h"
#include "link/recordnames.h"

#include <array>
#include <functional>
#include <memory>
#include <type_traits>
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

    // The same with the record's typed value: `decode` is the kind's core decoder (see
    // status/core_records.h); it runs once a record, and the handler and every observer of the
    // kind get the one value. Every registration of a kind names the same decoder.
    template <typename Decode, typename ValueHandler>
    void route(RecordKind kind, Decode decode, ValueHandler handler)
    {
        fanout(kind, std::move(decode)).handler = std::move(handler);
    }
    template <typename Decode, typename ValueHandler>
    void tap(RecordKind kind, Decode decode, ValueHandler observer)
    {
        fanout(kind, std::move(decode)).observers.emplace_back(std::move(observer));
    }

    // Classifies the record by its name and runs its handler synchronously.
    void dispatch(const RecordLine &record) const;

private:
    static constexpr size_t kindCount = size_t(RecordKind::Restart) + 1;

    struct FanoutBase
    {
        virtual ~FanoutBase() = default;
    };
    template <typename Value>
    struct Fanout : FanoutBase
    {
        std::function<Value(const RecordLine &)> decode;
        std::function<void(const Value &)> handler;
        std::vector<std::function<void(const Value &)>> observers;
    };

    template <typename Decode>
    auto &fanout(RecordKind kind, Decode decode)
    {
        using Value = std::decay_t<std::invoke_result_t<Decode, const RecordLine &>>;
        std::unique_ptr<FanoutBase> &slot = fanouts[size_t(kind)];
        if (!slot) {
            auto made = std::make_unique<Fanout<Value>>();
            made->decode = std::move(decode);
            const Fanout<Value> *f = made.get();
            handlers[size_t(kind)] = [f](const RecordLine &record) {
                const Value value = f->decode(record);
                if (f->handler)
                    f->handler(value);
                for (const auto &observer : f->observers)
                    observer(value);
            };
            slot = std::move(made);
        }
        // one kind, one decoder: a second value type for the same kind is a programming error
        auto *f = dynamic_cast<Fanout<Value> *>(slot.get());
        Q_ASSERT(f);
        return *f;
    }

    std::array<Handler, kindCount> handlers;
    std::array<std::vector<Handler>, kindCount> observers;
    std::array<std::unique_ptr<FanoutBase>, kindCount> fanouts;
};
