#pragma once

#include "platform/comtypes.h"

#include <QPointer>
#include <QWidget>

// Event sink of a pen ink collector: binds a collector to a view's window and hands the
// collector's events to one virtual handler each. Its lifetime is its owner's: AddRef and
// Release do not count.
class InkCollectorEvents : public IDispatch
{
public:
    InkCollectorEvents() = default;
    InkCollectorEvents(const InkCollectorEvents &) = delete;
    InkCollectorEvents &operator=(const InkCollectorEvents &) = delete;
    // Releases the collector.
    virtual ~InkCollectorEvents();

    HRESULT QueryInterface(REFIID riid, void **object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetTypeInfoCount(UINT *count) override;
    HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) override;
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID locale,
                          DISPID *ids) override;
    HRESULT Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS *params,
                   VARIANT *result, EXCEPINFO *exception, UINT *argError) override;

    // Creates a collector for the view's viewport window, listening to strokes, buttons and
    // packets, and enables it.
    HRESULT createInkCollector(QWidget *view);
    // Disables, disconnects and releases the collector; with `force` unset a refused disable
    // stops there and is returned.
    HRESULT releaseCollector(bool force);
    HRESULT setCollectorEnabled(bool enabled);

protected:
    virtual void stroke(DISPPARAMS *) {}
    virtual void newPackets(DISPPARAMS *) {}
    virtual void cursorButtonDown(DISPPARAMS *) {}
    virtual void cursorButtonUp(DISPPARAMS *) {}

    QWidget *view() const { return m_view; }

private:
    HRESULT createCollector();
    HRESULT listen();
    HRESULT connectSink();
    HRESULT bindWindow();

    QPointer<QWidget> m_view;
    IInkCollector *m_collector = nullptr;
    IConnectionPoint *m_connectionPoint = nullptr;
    DWORD m_cookie = 0;
    IUnknown *m_marshaler = nullptr;
    bool m_comInitialised = false;
};
