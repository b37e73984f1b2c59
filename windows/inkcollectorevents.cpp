#include "windows/inkcollectorevents.h"

#include "platform/winapi.h"

#include <QAbstractScrollArea>

InkCollectorEvents::~InkCollectorEvents()
{
    releaseCollector(true);
}

HRESULT InkCollectorEvents::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == DIID__IInkCollectorEvents) {
        *object = static_cast<IDispatch *>(this);
        return S_OK;
    }
    if (riid == IID_IMarshal && m_marshaler)
        return m_marshaler->QueryInterface(riid, object);
    return E_NOINTERFACE;
}

ULONG InkCollectorEvents::AddRef()
{
    return 1;
}

ULONG InkCollectorEvents::Release()
{
    return 1;
}

HRESULT InkCollectorEvents::GetTypeInfoCount(UINT *)
{
    return E_NOTIMPL;
}

HRESULT InkCollectorEvents::GetTypeInfo(UINT, LCID, ITypeInfo **)
{
    return E_NOTIMPL;
}

HRESULT InkCollectorEvents::GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *)
{
    return E_NOTIMPL;
}

HRESULT InkCollectorEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *params, VARIANT *,
                                   EXCEPINFO *, UINT *)
{
    switch (id) {
    case DISPID_ICEStroke:
        stroke(params);
        break;
    case DISPID_ICENewPackets:
        newPackets(params);
        break;
    case DISPID_ICECursorButtonDown:
        cursorButtonDown(params);
        break;
    case DISPID_ICECursorButtonUp:
        cursorButtonUp(params);
        break;
    default:
        break;
    }
    return S_OK;
}

HRESULT InkCollectorEvents::createInkCollector(QWidget *view)
{
    if (!view)
        return E_POINTER;
    m_view = view;
    HRESULT hr = CoCreateFreeThreadedMarshaler(this, &m_marshaler);
    if (SUCCEEDED(hr))
        hr = createCollector();
    if (SUCCEEDED(hr))
        hr = listen();
    if (SUCCEEDED(hr))
        hr = connectSink();
    if (SUCCEEDED(hr))
        hr = bindWindow();
    return hr;
}

HRESULT InkCollectorEvents::createCollector()
{
    void *collector = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_InkCollector, nullptr, CLSCTX_ALL, IID_IInkCollector,
                                  &collector);
    if (hr == CO_E_NOTINITIALIZED) {
        m_comInitialised = true;
        CoInitialize(nullptr);
        hr = CoCreateInstance(CLSID_InkCollector, nullptr, CLSCTX_ALL, IID_IInkCollector,
                              &collector);
    }
    m_collector = static_cast<IInkCollector *>(collector);
    return hr;
}

HRESULT InkCollectorEvents::listen()
{
    const std::pair<InkCollectorEventInterest, VARIANT_BOOL> interests[] = {
        {ICEI_CursorInRange, VARIANT_FALSE},   {ICEI_CursorOutOfRange, VARIANT_FALSE},
        {ICEI_Stroke, VARIANT_TRUE},           {ICEI_CursorButtonDown, VARIANT_TRUE},
        {ICEI_CursorButtonUp, VARIANT_TRUE},   {ICEI_NewPackets, VARIANT_TRUE},
    };
    for (const auto &[interest, on] : interests) {
        const HRESULT hr = m_collector->SetEventInterest(interest, on);
        if (FAILED(hr))
            return hr;
    }
    return S_OK;
}

HRESULT InkCollectorEvents::connectSink()
{
    void *container = nullptr;
    HRESULT hr = m_collector->QueryInterface(IID_IConnectionPointContainer, &container);
    if (FAILED(hr))
        return hr;
    auto *points = static_cast<IConnectionPointContainer *>(container);
    hr = points->FindConnectionPoint(DIID__IInkCollectorEvents, &m_connectionPoint);
    points->Release();
    if (SUCCEEDED(hr))
        hr = m_connectionPoint->Advise(static_cast<IDispatch *>(this), &m_cookie);
    if (FAILED(hr) && m_connectionPoint) {
        m_connectionPoint->Release();
        m_connectionPoint = nullptr;
    }
    return hr;
}

HRESULT InkCollectorEvents::bindWindow()
{
    auto *scrollArea = qobject_cast<QAbstractScrollArea *>(m_view.data());
    QWidget *window = scrollArea ? scrollArea->viewport() : m_view.data();
    const HRESULT steps[] = {
        m_collector->put_AutoRedraw(VARIANT_FALSE),
        m_collector->put_DynamicRendering(VARIANT_FALSE),
        m_collector->put_hWnd(reinterpret_cast<LONG_PTR>(widgetWindow(window))),
    };
    for (HRESULT hr : steps) {
        if (FAILED(hr))
            return hr;
    }
    return m_collector->put_Enabled(VARIANT_TRUE);
}

HRESULT InkCollectorEvents::releaseCollector(bool force)
{
    if (m_collector) {
        const HRESULT hr = m_collector->put_Enabled(VARIANT_FALSE);
        if (FAILED(hr) && !force)
            return hr;
    }
    if (m_connectionPoint) {
        m_connectionPoint->Unadvise(m_cookie);
        m_connectionPoint->Release();
        m_connectionPoint = nullptr;
    }
    if (m_collector) {
        m_collector->Release();
        m_collector = nullptr;
    }
    if (m_marshaler) {
        m_marshaler->Release();
        m_marshaler = nullptr;
    }
    if (m_comInitialised)
        CoUninitialize();
    m_comInitialised = false;
    return S_OK;
}

HRESULT InkCollectorEvents::setCollectorEnabled(bool enabled)
{
    if (!m_collector)
        return E_FAIL;
    return m_collector->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE);
}
