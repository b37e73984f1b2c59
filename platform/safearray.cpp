// Safe arrays of fixed-size elements.

#include "platform/winapi.h"

#include <cstring>
#include <vector>

struct SAFEARRAY
{
    VARTYPE vt;
    ULONG elementSize;
    std::vector<SAFEARRAYBOUND> bounds;
    std::vector<char> data;
};

namespace {

ULONG elementSize(VARTYPE vt)
{
    switch (vt) {
    case VT_UI1:
        return 1;
    case VT_I2:
        return 2;
    case VT_I4:
        return 4;
    case VT_R8:
        return 8;
    default:
        return 0;
    }
}

// Offset in elements of the indexed element, or -1 when an index is out of bounds.
long long elementOffset(const SAFEARRAY *array, const LONG *indices)
{
    long long offset = 0;
    for (size_t d = 0; d < array->bounds.size(); ++d) {
        const SAFEARRAYBOUND &bound = array->bounds[d];
        const long long i = (long long)indices[d] - bound.lLbound;
        if (i < 0 || i >= (long long)bound.cElements)
            return -1;
        offset = offset * bound.cElements + i;
    }
    return offset;
}

} // namespace

SAFEARRAY *SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND *bounds)
{
    const ULONG size = elementSize(vt);
    if (size == 0 || dims == 0 || !bounds)
        return nullptr;
    auto *array = new SAFEARRAY{vt, size, std::vector<SAFEARRAYBOUND>(bounds, bounds + dims), {}};
    size_t count = 1;
    for (const SAFEARRAYBOUND &bound : array->bounds)
        count *= bound.cElements;
    array->data.assign(count * size, 0);
    return array;
}

SAFEARRAY *SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG count)
{
    SAFEARRAYBOUND bound{count, lowerBound};
    return SafeArrayCreate(vt, 1, &bound);
}

HRESULT SafeArrayDestroy(SAFEARRAY *array)
{
    delete array;
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY *array)
{
    return array ? UINT(array->bounds.size()) : 0;
}

HRESULT SafeArrayGetVartype(SAFEARRAY *array, VARTYPE *vt)
{
    if (!array || !vt)
        return E_INVALIDARG;
    *vt = array->vt;
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY *array, UINT dim, LONG *bound)
{
    if (!array || !bound)
        return E_INVALIDARG;
    if (dim < 1 || dim > array->bounds.size())
        return DISP_E_BADINDEX;
    *bound = array->bounds[dim - 1].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY *array, UINT dim, LONG *bound)
{
    if (!array || !bound)
        return E_INVALIDARG;
    if (dim < 1 || dim > array->bounds.size())
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND &b = array->bounds[dim - 1];
    *bound = LONG((long long)b.lLbound + b.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayGetElement(SAFEARRAY *array, LONG *indices, void *value)
{
    if (!array || !indices || !value)
        return E_INVALIDARG;
    const long long offset = elementOffset(array, indices);
    if (offset < 0)
        return DISP_E_BADINDEX;
    std::memcpy(value, array->data.data() + offset * array->elementSize, array->elementSize);
    return S_OK;
}

HRESULT SafeArrayPutElement(SAFEARRAY *array, LONG *indices, void *value)
{
    if (!array || !indices || !value)
        return E_INVALIDARG;
    const long long offset = elementOffset(array, indices);
    if (offset < 0)
        return DISP_E_BADINDEX;
    std::memcpy(array->data.data() + offset * array->elementSize, value, array->elementSize);
    return S_OK;
}
