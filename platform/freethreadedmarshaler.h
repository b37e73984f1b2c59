#pragma once

#include "platform/comtypes.h"

#include <atomic>

// The marshaler handed out by CoCreateFreeThreadedMarshaler: an object that answers for
// IUnknown and IMarshal.
class FreeThreadedMarshaler final : public IUnknown
{
public:
    FreeThreadedMarshaler() = default;
    FreeThreadedMarshaler(const FreeThreadedMarshaler &) = delete;
    FreeThreadedMarshaler &operator=(const FreeThreadedMarshaler &) = delete;

    HRESULT QueryInterface(REFIID riid, void **object) override;
    ULONG AddRef() override;
    ULONG Release() override;

private:
    ~FreeThreadedMarshaler() = default;

    std::atomic<ULONG> m_references{1};
};
