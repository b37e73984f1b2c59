#pragma once

#include "recognition/enginebinding.h"

// The slot of an interface operation, or none when the engine is unbound or
// offers no such interface.
inline zkOperation engineSlot(zkId engine, uint32_t interfaceNumber, int index)
{
    const auto getInterface = engineBinding().entryPoints.zkGetInterface;
    if (!getInterface || index < 0 || index >= ZK_INTERFACE_SLOTS)
        return nullptr;
    const zkOperation *table = getInterface(engine, interfaceNumber);
    return table ? table[index] : nullptr;
}

template <typename Op>
struct EngineOperation;

template <typename R, typename... P>
struct EngineOperation<R (*)(P...)>
{
    template <typename... A>
    static R call(zkOperation slot, A... args)
    {
        if (!slot)
            return R();
        return reinterpret_cast<R (*)(P...)>(slot)(P(args)...);
    }
};

// Calls operation index of an interface with the engine first; a missing
// operation answers zero.
template <typename Op, typename... A>
auto engineCall(zkId engine, uint32_t interfaceNumber, int index, A... args)
{
    return EngineOperation<Op>::call(engineSlot(engine, interfaceNumber, index), engine, args...);
}
