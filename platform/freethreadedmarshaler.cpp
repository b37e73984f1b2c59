#include "platform/freethreadedmarshaler.h"

HRESULT FreeThreadedMarshaler::QueryInterface(REFIID riid, void **object)
{
    if (!object)
        return E_POINTER;
    if (riid != IID_IUnknown && riid != IID_IMarshal) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    *object = static_cast<IUnknown *>(this);
    return S_OK;
}

ULONG FreeThreadedMarshaler::AddRef()
{
    return ++m_references;
}

ULONG FreeThreadedMarshaler::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}
