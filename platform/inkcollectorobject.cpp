#include "platform/inkcollectorobject.h"

#include "platform/desktopstate.h"
#include "platform/winapi.h"

#include <QMutexLocker>

namespace {

constexpr HRESULT CONNECT_E_CANNOTCONNECT = static_cast<HRESULT>(0x80040202);
constexpr int interestCount = DISPID_ICELast - DISPID_ICEFirst + 1;

std::uint64_t bit(int interest)
{
    return std::uint64_t(1) << interest;
}

} // namespace

InkCollectorObject::InkCollectorObject()
    : m_interests(bit(ICEI_CursorDown) | bit(ICEI_Stroke) | bit(ICEI_CursorInRange)
                  | bit(ICEI_CursorOutOfRange))
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.inkCollectors << this;
}

InkCollectorObject::~InkCollectorObject()
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    s.inkCollectors.removeOne(this);
    for (IDispatch *sink : std::as_const(m_sinks))
        sink->Release();
}

HRESULT InkCollectorObject::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IInkCollector)
        *object = static_cast<IInkCollector *>(this);
    else if (riid == IID_IConnectionPointContainer)
        *object = static_cast<IConnectionPointContainer *>(this);
    else if (riid == IID_IConnectionPoint)
        *object = static_cast<IConnectionPoint *>(this);
    else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG InkCollectorObject::AddRef()
{
    return ++m_references;
}

ULONG InkCollectorObject::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT InkCollectorObject::GetTypeInfoCount(UINT *)
{
    return E_NOTIMPL;
}

HRESULT InkCollectorObject::GetTypeInfo(UINT, LCID, ITypeInfo **)
{
    return E_NOTIMPL;
}

HRESULT InkCollectorObject::GetIDsOfNames(REFIID, LPOLESTR *, UINT, LCID, DISPID *)
{
    return E_NOTIMPL;
}

HRESULT InkCollectorObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS *, VARIANT *,
                                   EXCEPINFO *, UINT *)
{
    return E_NOTIMPL;
}

HRESULT InkCollectorObject::put_hWnd(LONG_PTR window)
{
    HWND handle = reinterpret_cast<HWND>(window);
    if (!IsWindow(handle))
        return E_INVALIDARG;
    QMutexLocker lock(&DesktopState::get().mutex);
    m_window = handle;
    return S_OK;
}

HRESULT InkCollectorObject::put_Enabled(VARIANT_BOOL enabled)
{
    DesktopState &s = DesktopState::get();
    QMutexLocker lock(&s.mutex);
    if (!enabled && s.inkDisableFailures > 0) {
        --s.inkDisableFailures;
        return E_FAIL;
    }
    if (enabled && !m_window)
        return E_FAIL;
    m_enabled = enabled != VARIANT_FALSE;
    return S_OK;
}

HRESULT InkCollectorObject::put_AutoRedraw(VARIANT_BOOL autoRedraw)
{
    QMutexLocker lock(&DesktopState::get().mutex);
    m_autoRedraw = autoRedraw != VARIANT_FALSE;
    return S_OK;
}

HRESULT InkCollectorObject::put_DynamicRendering(VARIANT_BOOL dynamicRendering)
{
    QMutexLocker lock(&DesktopState::get().mutex);
    m_dynamicRendering = dynamicRendering != VARIANT_FALSE;
    return S_OK;
}

HRESULT InkCollectorObject::SetEventInterest(InkCollectorEventInterest event, VARIANT_BOOL listen)
{
    // As a number: an interest may lie beyond the named ones, up to the last event id.
    if (int(event) < 0 || int(event) >= interestCount)
        return E_INVALIDARG;
    QMutexLocker lock(&DesktopState::get().mutex);
    if (listen)
        m_interests |= bit(event);
    else
        m_interests &= ~bit(event);
    return S_OK;
}

HRESULT InkCollectorObject::FindConnectionPoint(REFIID riid, IConnectionPoint **point)
{
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (riid != DIID__IInkCollectorEvents)
        return CONNECT_E_NOCONNECTION;
    AddRef();
    *point = static_cast<IConnectionPoint *>(this);
    return S_OK;
}

HRESULT InkCollectorObject::Advise(IUnknown *sink, DWORD *cookie)
{
    if (!sink || !cookie)
        return E_POINTER;
    void *events = nullptr;
    if (FAILED(sink->QueryInterface(DIID__IInkCollectorEvents, &events)) || !events)
        return CONNECT_E_CANNOTCONNECT;
    QMutexLocker lock(&DesktopState::get().mutex);
    *cookie = m_nextCookie++;
    m_sinks.insert(*cookie, static_cast<IDispatch *>(events));
    return S_OK;
}

HRESULT InkCollectorObject::Unadvise(DWORD cookie)
{
    IDispatch *sink = nullptr;
    {
        QMutexLocker lock(&DesktopState::get().mutex);
        sink = m_sinks.take(cookie);
    }
    if (!sink)
        return CONNECT_E_NOCONNECTION;
    sink->Release();
    return S_OK;
}

Desktop::InkCollectorInfo InkCollectorObject::info() const
{
    QMutexLocker lock(&DesktopState::get().mutex);
    return {m_window, m_enabled, m_autoRedraw, m_dynamicRendering, m_interests,
            int(m_sinks.size())};
}

int InkCollectorObject::fire(DISPID id, DISPPARAMS *params)
{
    QList<IDispatch *> sinks;
    {
        QMutexLocker lock(&DesktopState::get().mutex);
        const int interest = id - DISPID_ICEFirst;
        if (!m_enabled || interest < 0 || interest >= interestCount
            || !(m_interests & bit(interest)))
            return 0;
        sinks = m_sinks.values();
    }
    for (IDispatch *sink : std::as_const(sinks))
        sink->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, params, nullptr, nullptr, nullptr);
    return int(sinks.size());
}
