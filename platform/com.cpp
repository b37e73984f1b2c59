// COM initialisation and object creation of the desktop model.

#include "platform/desktopstate.h"
#include "platform/freethreadedmarshaler.h"
#include "platform/inkcollectorobject.h"
#include "platform/winapi.h"

#include <QMutexLocker>

namespace {

thread_local int comInitialisations = 0;
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110);

} // namespace

const IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IMarshal = {0x00000003, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IConnectionPoint = {0xB196B286, 0xBAB4, 0x101A,
                                  {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
const IID IID_IConnectionPointContainer = {0xB196B284, 0xBAB4, 0x101A,
                                           {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
const IID IID_IInkCollector = {0xF0F060B5, 0x8B1F, 0x4A7C,
                               {0x89, 0xEC, 0x88, 0x06, 0x92, 0x58, 0x8A, 0x4F}};
const IID DIID__IInkCollectorEvents = {0x11A583F2, 0x712D, 0x4FEA,
                                       {0xAB, 0xCF, 0xAB, 0x4A, 0xF3, 0x8E, 0xA0, 0x6B}};
const CLSID CLSID_InkCollector = {0x43FB1553, 0xAD74, 0x4EE8,
                                  {0x88, 0xE4, 0x3E, 0x6D, 0xAA, 0xC9, 0x15, 0xDB}};

int Desktop::comInitCount() const
{
    return comInitialisations;
}

HRESULT CoInitialize(void *)
{
    return ++comInitialisations == 1 ? S_OK : S_FALSE;
}

void CoUninitialize()
{
    if (comInitialisations > 0)
        --comInitialisations;
}

HRESULT CoCreateInstance(REFCLSID clsid, IUnknown *outer, DWORD, REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    {
        DesktopState &s = DesktopState::get();
        QMutexLocker lock(&s.mutex);
        if (clsid == CLSID_InkCollector && s.inkCreateFailures > 0) {
            --s.inkCreateFailures;
            return s.inkCreateFailure;
        }
    }
    if (comInitialisations == 0)
        return CO_E_NOTINITIALIZED;
    if (clsid != CLSID_InkCollector)
        return REGDB_E_CLASSNOTREG;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    auto *collector = new InkCollectorObject;
    const HRESULT hr = collector->QueryInterface(riid, object);
    collector->Release();
    return hr;
}

HRESULT CoCreateFreeThreadedMarshaler(IUnknown *, IUnknown **marshaler)
{
    if (!marshaler)
        return E_POINTER;
    *marshaler = new FreeThreadedMarshaler;
    return S_OK;
}
