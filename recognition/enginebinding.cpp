#include "recognition/enginebinding.h"

#include "platform/winapi.h"
#include "resources/resourcepaths.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

namespace {

EngineBinding binding;

const char *const entryPointNames[] = {
    "zkCreateEngine",   "zkDestroyEngine", "zkGetError",     "zkSetError",
    "zkGetInterface",   "zkImplements",    "zkIsCompatible", "zkGetTypeProperty",
    "zkSetTypeProperty", "zkCreateObject", "zkCreateObjectEx", "zkLoadObject",
    "zkMakeObject",     "zkStoreObject",   "zkAcquireObject", "zkReleaseObject",
    "zkIsSame",         "zkGetType",       "zkGetProperty",  "zkSetProperty",
};

constexpr int entryPointCount = int(sizeof(entryPointNames) / sizeof(entryPointNames[0]));
static_assert(sizeof(EngineEntryPoints) == entryPointCount * sizeof(void *),
              "one slot per entry point name");

// The slots of the table in binding order.
FARPROC *entryPointSlots()
{
    return reinterpret_cast<FARPROC *>(&binding.entryPoints);
}

// Opaque creation block handed to zkCreateEngine.
const quint32 engineCreationData[4] = {ZK_ENGINE_VERSION, 0, 0, 0};

} // namespace

const EngineBinding &engineBinding()
{
    return binding;
}

bool loadEngineLibrary(const QString &fileName)
{
    // The platform layer finds the library in the program's folder by its
    // file name alone.
    const QByteArray name = QDir::toNativeSeparators(fileName).toLocal8Bit();
    binding.library = LoadLibraryA(name.constData());
    if (!binding.library)
        return false;
    FARPROC *table = entryPointSlots();
    for (int i = 0; i < entryPointCount; ++i) {
        table[i] = GetProcAddress(binding.library, entryPointNames[i]);
        if (!table[i]) {
            unloadEngineLibrary();
            return false;
        }
    }
    binding.lineMetrics = reinterpret_cast<decltype(binding.lineMetrics)>(
        GetProcAddress(binding.library, "zkGetLineMetrics"));
    return true;
}

void unloadEngineLibrary()
{
    if (binding.library)
        FreeLibrary(binding.library);
    binding.library = nullptr;
    binding.entryPoints = EngineEntryPoints();
    binding.lineMetrics = nullptr;
}

bool startEngine(const QString &fileName)
{
    binding.engine = 0;
    binding.charset = 0;
    if (!loadEngineLibrary(fileName))
        return false;
    const EngineEntryPoints &e = binding.entryPoints;
    binding.engine = e.zkCreateEngine(ZK_ENGINE_VERSION, engineCreationData, 0);
    if (!binding.engine)
        return false;
    QFile file(resourcepaths::charsets() + QLatin1String("UTF-8.charset"));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    binding.charset = e.zkLoadObject(binding.engine, engineStreamRead, &file);
    file.close();
    e.zkSetTypeProperty(binding.engine, 0, ZK_TYPE_PROPERTY_CHARSET, &binding.charset,
                        sizeof(binding.charset));
    return binding.charset != 0;
}

void stopEngine()
{
    const EngineEntryPoints &e = binding.entryPoints;
    if (binding.charset)
        e.zkReleaseObject(binding.engine, binding.charset);
    if (binding.engine)
        e.zkDestroyEngine(binding.engine);
    binding.charset = 0;
    binding.engine = 0;
}

int32_t engineStreamRead(void *buffer, int32_t size, void *userData)
{
    auto *device = static_cast<QIODevice *>(userData);
    return int32_t(device->read(static_cast<char *>(buffer), qint64(quint32(size))));
}

int32_t engineStreamWrite(void *buffer, int32_t size, void *userData)
{
    auto *device = static_cast<QIODevice *>(userData);
    return int32_t(device->write(static_cast<const char *>(buffer), qint64(quint32(size))));
}
