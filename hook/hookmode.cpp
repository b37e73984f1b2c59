#include "hook/hookmode.h"

#include "hook/hookprotocol.h"
#include "platform/winapi.h"

namespace {

// Runs `use` on the mapped block; false when it cannot be opened or mapped.
template<typename Use>
bool withBlock(Use use)
{
    HANDLE mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, scrivelHookMappingName);
    if (!mapping)
        return false;
    auto *view = static_cast<char *>(
        MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, scrivelHookMappingSize));
    if (view) {
        use(view);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return view != nullptr;
}

} // namespace

int readHookMode()
{
    int mode = HookModeWatch;
    withBlock([&mode](char *view) { mode = parseHookMode(view, scrivelHookMappingSize); });
    return mode;
}

bool writeHookMode(int mode)
{
    if (mode < 0 || mode > 9)
        return false;
    return withBlock([mode](char *view) { view[0] = char('0' + mode); });
}
