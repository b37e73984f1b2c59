#pragma once

// COM types, the automation variant and safe array, and the pen ink collector interfaces.

#include "platform/platformglobal.h"
#include "platform/wintypes.h"

#include <cstring>

struct GUID
{
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
using IID = GUID;
using CLSID = GUID;
using REFIID = const IID &;
using REFCLSID = const CLSID &;

inline bool operator==(const GUID &a, const GUID &b)
{
    return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}
inline bool operator!=(const GUID &a, const GUID &b)
{
    return !(a == b);
}

using LCID = DWORD;
using DISPID = LONG;
using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR *;
using VARTYPE = USHORT;
using VARIANT_BOOL = SHORT;
constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr DWORD CLSCTX_ALL = 0x17;
constexpr WORD DISPATCH_METHOD = 0x1;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I2 = 2;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_R8 = 5;
constexpr VARTYPE VT_DISPATCH = 9;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_ARRAY = 0x2000;
constexpr VARTYPE VT_BYREF = 0x4000;

struct SAFEARRAY;
struct ITypeInfo;
struct EXCEPINFO;
struct IDispatch;
struct IUnknown;

struct SAFEARRAYBOUND
{
    ULONG cElements;
    LONG lLbound;
};

struct VARIANT
{
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONG lVal;
        double dblVal;
        IUnknown *punkVal;
        IDispatch *pdispVal;
        SAFEARRAY *parray;
        VARIANT *pvarVal;
        LONG *plVal;
    };
};

struct DISPPARAMS
{
    VARIANT *rgvarg;
    DISPID *rgdispidNamedArgs;
    UINT cArgs;
    UINT cNamedArgs;
};

struct IUnknown
{
    virtual HRESULT QueryInterface(REFIID riid, void **object) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

struct IDispatch : IUnknown
{
    virtual HRESULT GetTypeInfoCount(UINT *count) = 0;
    virtual HRESULT GetTypeInfo(UINT index, LCID locale, ITypeInfo **info) = 0;
    virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR *names, UINT count, LCID locale,
                                  DISPID *ids) = 0;
    virtual HRESULT Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS *params,
                           VARIANT *result, EXCEPINFO *exception, UINT *argError) = 0;

protected:
    ~IDispatch() = default;
};

struct IConnectionPoint : IUnknown
{
    virtual HRESULT Advise(IUnknown *sink, DWORD *cookie) = 0;
    virtual HRESULT Unadvise(DWORD cookie) = 0;

protected:
    ~IConnectionPoint() = default;
};

struct IConnectionPointContainer : IUnknown
{
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint **point) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

// Events an ink collector can be told to raise.
enum InkCollectorEventInterest {
    ICEI_CursorDown = 0,
    ICEI_Stroke = 1,
    ICEI_NewPackets = 2,
    ICEI_NewInAirPackets = 3,
    ICEI_CursorInRange = 4,
    ICEI_CursorOutOfRange = 5,
    ICEI_CursorButtonDown = 6,
    ICEI_CursorButtonUp = 7,
};

// Dispatch ids of the ink collector events: the interest value plus one.
// Arguments: NewPackets passes rgvarg[0] the packet data (VT_ARRAY | VT_I4, one dimension,
// the packet values one after the other) and rgvarg[1] the packet count (VT_I4); the other
// events pass no argument that the program reads.
enum InkCollectorEventDispid : DISPID {
    DISPID_ICECursorDown = 1,
    DISPID_ICEStroke = 2,
    DISPID_ICENewPackets = 3,
    DISPID_ICENewInAirPackets = 4,
    DISPID_ICECursorInRange = 5,
    DISPID_ICECursorOutOfRange = 6,
    DISPID_ICECursorButtonDown = 7,
    DISPID_ICECursorButtonUp = 8,
    DISPID_ICEFirst = 1,
    DISPID_ICELast = 33,
};

struct IInkCollector : IDispatch
{
    virtual HRESULT put_hWnd(LONG_PTR window) = 0;
    virtual HRESULT put_Enabled(VARIANT_BOOL enabled) = 0;
    virtual HRESULT put_AutoRedraw(VARIANT_BOOL autoRedraw) = 0;
    virtual HRESULT put_DynamicRendering(VARIANT_BOOL dynamicRendering) = 0;
    virtual HRESULT SetEventInterest(InkCollectorEventInterest event, VARIANT_BOOL listen) = 0;

protected:
    ~IInkCollector() = default;
};

extern SCRIVELPLATFORM_EXPORT const IID IID_NULL;
extern SCRIVELPLATFORM_EXPORT const IID IID_IUnknown;
extern SCRIVELPLATFORM_EXPORT const IID IID_IDispatch;
extern SCRIVELPLATFORM_EXPORT const IID IID_IMarshal;
extern SCRIVELPLATFORM_EXPORT const IID IID_IConnectionPoint;
extern SCRIVELPLATFORM_EXPORT const IID IID_IConnectionPointContainer;
extern SCRIVELPLATFORM_EXPORT const IID IID_IInkCollector;
extern SCRIVELPLATFORM_EXPORT const IID DIID__IInkCollectorEvents;
extern SCRIVELPLATFORM_EXPORT const CLSID CLSID_InkCollector;
