#pragma once

#include "platform/comtypes.h"
#include "platform/desktop.h"

#include <QMap>

#include <atomic>

// The desktop model's pen ink collector: properties, event interests and one connection point
// for event sinks.
class InkCollectorObject final : public IInkCollector,
                           public IConnectionPointContainer,
                           public IConnectionPoint
{
public:
    InkCollectorObject();
    InkCollectorObject(const InkCollectorObject &) = delete;
    InkCollectorObject &operator=(const InkCollectorObject &) = delete;

    HRESULT QueryInterface(REFIID riid, void **object) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetTypeInfoCount(UINT *count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID locale,
                          DISPID *ids) override;
    HRESULT Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS *params,
                   VARIANT *result, EXCEPINFO *exception, UINT *argError) override;

    HRESULT put_hWnd(LONG_PTR window) override;
    HRESULT put_Enabled(VARIANT_BOOL enabled) override;
    HRESULT put_AutoRedraw(VARIANT_BOOL autoRedraw) override;
    HRESULT put_DynamicRendering(VARIANT_BOOL dynamicRendering) override;
    HRESULT SetEventInterest(InkCollectorEventInterest event, VARIANT_BOOL listen) override;

    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **point) override;
    HRESULT Advise(IUnknown *sink, DWORD *cookie) override;
    HRESULT Unadvise(DWORD cookie) override;

    Desktop::InkCollectorInfo info() const;
    // Calls the sinks when the collector is enabled and listens to the event.
    int fire(DISPID id, DISPPARAMS *params);

private:
    ~InkCollectorObject();

    std::atomic<ULONG> m_references{1};
    HWND m_window = nullptr;
    bool m_enabled = false;
    bool m_autoRedraw = true;
    bool m_dynamicRendering = true;
    std::uint64_t m_interests;
    QMap<DWORD, IDispatch *> m_sinks;
    DWORD m_nextCookie = 1;
};
