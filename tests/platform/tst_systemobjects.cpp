#include "platform/desktop.h"
#include "platform/winapi.h"

#include <QtTest>

class TestSystemObjects : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void namedMutex();
    void mappingSharesZeroFilledBytes();
    void mappingLivesWhileHeld();
    void mappingFailures_data();
    void mappingFailures();
    void namesAcrossKinds_data();
    void namesAcrossKinds();
    void modulesAreCounted();
    void modulesByPath_data();
    void modulesByPath();
    void missingModulesAndExports();
    void comNeedsInitialisation();
    void safeArrayBounds();
};

void TestSystemObjects::init()
{
    Desktop::instance()->reset();
}

void TestSystemObjects::namedMutex()
{
    HANDLE first = CreateMutexA(nullptr, TRUE, "Local\\Test");
    QVERIFY(first);
    QCOMPARE(GetLastError(), ERROR_SUCCESS);
    HANDLE second = CreateMutexA(nullptr, TRUE, "Local\\Test");
    QVERIFY(second);
    QCOMPARE(GetLastError(), ERROR_ALREADY_EXISTS);
    QVERIFY(CloseHandle(first));
    QVERIFY(CloseHandle(second));
    QVERIFY(!CloseHandle(second));
    QVERIFY(!Desktop::instance()->mutexExists("Local\\Test"));
}

void TestSystemObjects::mappingSharesZeroFilledBytes()
{
    HANDLE created = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4,
                                        u"Block");
    QVERIFY(created);
    QCOMPARE(GetLastError(), ERROR_SUCCESS);
    QCOMPARE(Desktop::instance()->mappingContents("Block"), QByteArray(4, '\0'));
    HANDLE opened = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, "Block");
    QVERIFY(opened);
    auto *view = static_cast<char *>(MapViewOfFile(opened, FILE_MAP_ALL_ACCESS, 0, 0, 4));
    QVERIFY(view);
    view[0] = '2';
    QCOMPARE(Desktop::instance()->mappingContents("Block"), QByteArray("2\0\0\0", 4));
    QVERIFY(!MapViewOfFile(opened, FILE_MAP_ALL_ACCESS, 0, 0, 5));
    QVERIFY(UnmapViewOfFile(view));
    QVERIFY(!UnmapViewOfFile(view));
    HANDLE again = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4,
                                      u"Block");
    QCOMPARE(GetLastError(), ERROR_ALREADY_EXISTS);
    for (HANDLE handle : {created, opened, again})
        QVERIFY(CloseHandle(handle));
}

void TestSystemObjects::mappingLivesWhileHeld()
{
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4,
                                        u"Block");
    void *view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 4);
    QVERIFY(CloseHandle(mapping));
    QVERIFY(Desktop::instance()->mappingExists("Block"));
    QVERIFY(UnmapViewOfFile(view));
    QVERIFY(!Desktop::instance()->mappingExists("Block"));
    QVERIFY(!OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, u"Block"));
    QCOMPARE(GetLastError(), ERROR_FILE_NOT_FOUND);
}

void TestSystemObjects::mappingFailures_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<bool>("created");
    QTest::newRow("creation refused") << int(Desktop::CreateMappingFails) << false;
    QTest::newRow("view refused") << int(Desktop::MapViewFails) << true;
}

void TestSystemObjects::mappingFailures()
{
    QFETCH(int, failure);
    QFETCH(bool, created);
    Desktop::instance()->setFailure(Desktop::Failure(failure));
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4,
                                        u"Block");
    QCOMPARE(mapping != nullptr, created);
    if (mapping) {
        QVERIFY(!MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 4));
        CloseHandle(mapping);
    }
}

namespace {

enum ObjectKind { Mutex, Mapping };

HANDLE createNamed(ObjectKind kind)
{
    if (kind == Mutex)
        return CreateMutexA(nullptr, FALSE, "Shared");
    return CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4, u"Shared");
}

bool namedExists(ObjectKind kind)
{
    return kind == Mutex ? Desktop::instance()->mutexExists("Shared")
                         : Desktop::instance()->mappingExists("Shared");
}

}

void TestSystemObjects::namesAcrossKinds_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("firstClosed");
    QTest::addColumn<bool>("created");
    QTest::addColumn<DWORD>("error");
    QTest::newRow("mutex, then mutex") << int(Mutex) << int(Mutex) << false << true << ERROR_ALREADY_EXISTS;
    QTest::newRow("mapping, then mapping")
            << int(Mapping) << int(Mapping) << false << true << ERROR_ALREADY_EXISTS;
    QTest::newRow("mutex, then mapping") << int(Mutex) << int(Mapping) << false << false << ERROR_INVALID_HANDLE;
    QTest::newRow("mapping, then mutex") << int(Mapping) << int(Mutex) << false << false << ERROR_INVALID_HANDLE;
    QTest::newRow("closed mutex, then mapping") << int(Mutex) << int(Mapping) << true << true << ERROR_SUCCESS;
    QTest::newRow("closed mapping, then mutex") << int(Mapping) << int(Mutex) << true << true << ERROR_SUCCESS;
}

// A name held by one kind of object cannot be taken by the other kind; the holder is kept.
void TestSystemObjects::namesAcrossKinds()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(bool, firstClosed);
    QFETCH(bool, created);
    QFETCH(DWORD, error);
    HANDLE holder = createNamed(ObjectKind(first));
    QVERIFY(holder);
    if (firstClosed)
        QVERIFY(CloseHandle(holder));
    HANDLE handle = createNamed(ObjectKind(second));
    QCOMPARE(handle != nullptr, created);
    QCOMPARE(GetLastError(), error);
    QVERIFY(namedExists(ObjectKind(created ? second : first)));
    if (!created)
        QVERIFY(!namedExists(ObjectKind(second)));
    if (handle)
        QVERIFY(CloseHandle(handle));
    if (!firstClosed)
        QVERIFY(CloseHandle(holder));
    QVERIFY(!namedExists(Mutex) && !namedExists(Mapping));
}

void TestSystemObjects::modulesAreCounted()
{
    HMODULE first = LoadLibraryA("UxTheme.dll");
    HMODULE second = LoadLibraryA("uxtheme.dll");
    QVERIFY(first);
    QCOMPARE(second, first);
    QVERIFY(FreeLibrary(first));
    QVERIFY(Desktop::instance()->moduleLoaded("uxtheme.dll"));
    QVERIFY(FreeLibrary(second));
    QVERIFY(!Desktop::instance()->moduleLoaded("uxtheme.dll"));
    QVERIFY(!FreeLibrary(second));
}

void TestSystemObjects::modulesByPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("loads");
    const QString folder = QStringLiteral(SCRIVEL_BIN_DIR);
    QTest::newRow("bare name") << "scrivelplatform.dll" << true;
    QTest::newRow("path") << folder + "/scrivelplatform.dll" << true;
    QTest::newRow("native path") << QString(folder + "/scrivelplatform.dll").replace('/', '\\')
                                 << true;
    QTest::newRow("other folder") << folder + "/nosuchfolder/scrivelplatform.dll" << false;
}

void TestSystemObjects::modulesByPath()
{
    QFETCH(QString, path);
    QFETCH(bool, loads);
    HMODULE module = LoadLibraryA(path.toLocal8Bit().constData());
    QCOMPARE(module != nullptr, loads);
    if (module)
        QVERIFY(FreeLibrary(module));
}

void TestSystemObjects::missingModulesAndExports()
{
    QVERIFY(!LoadLibraryA("nosuchlibrary.dll"));
    QCOMPARE(GetLastError(), ERROR_MOD_NOT_FOUND);
    HMODULE theme = LoadLibraryA("uxtheme.dll");
    QVERIFY(GetProcAddress(theme, "IsCompositionActive"));
    QVERIFY(!GetProcAddress(theme, "Nothing"));
    QCOMPARE(GetLastError(), ERROR_PROC_NOT_FOUND);
    Desktop::instance()->hideExport("uxtheme.dll", "IsCompositionActive");
    QVERIFY(!GetProcAddress(theme, "IsCompositionActive"));
    FreeLibrary(theme);
}

void TestSystemObjects::comNeedsInitialisation()
{
    void *object = nullptr;
    QCOMPARE(CoCreateInstance(CLSID_InkCollector, nullptr, CLSCTX_ALL, IID_IInkCollector, &object),
             CO_E_NOTINITIALIZED);
    QCOMPARE(CoInitialize(nullptr), S_OK);
    QCOMPARE(CoInitialize(nullptr), S_FALSE);
    QCOMPARE(CoCreateInstance(IID_IUnknown, nullptr, CLSCTX_ALL, IID_IUnknown, &object),
             REGDB_E_CLASSNOTREG);
    QCOMPARE(CoCreateInstance(CLSID_InkCollector, nullptr, CLSCTX_ALL, IID_IInkCollector, &object),
             S_OK);
    auto *collector = static_cast<IInkCollector *>(object);
    QCOMPARE(collector->put_Enabled(VARIANT_TRUE), E_FAIL); // no window yet
    QCOMPARE(collector->put_hWnd(0), E_INVALIDARG);
    QCOMPARE(Desktop::instance()->inkCollectors().size(), 1);
    collector->Release();
    QCOMPARE(Desktop::instance()->inkCollectors().size(), 0);
    CoUninitialize();
    CoUninitialize();
    QCOMPARE(Desktop::instance()->comInitCount(), 0);
}

void TestSystemObjects::safeArrayBounds()
{
    SAFEARRAY *array = SafeArrayCreateVector(VT_I4, 3, 2);
    LONG lower = 0;
    LONG upper = 0;
    QCOMPARE(SafeArrayGetLBound(array, 1, &lower), S_OK);
    QCOMPARE(SafeArrayGetUBound(array, 1, &upper), S_OK);
    QCOMPARE(lower, 3);
    QCOMPARE(upper, 4);
    QCOMPARE(SafeArrayGetUBound(array, 2, &upper), DISP_E_BADINDEX);
    LONG index = 5;
    LONG value = 0;
    QCOMPARE(SafeArrayGetElement(array, &index, &value), DISP_E_BADINDEX);
    index = 4;
    value = 42;
    QCOMPARE(SafeArrayPutElement(array, &index, &value), S_OK);
    value = 0;
    QCOMPARE(SafeArrayGetElement(array, &index, &value), S_OK);
    QCOMPARE(value, 42);
    QVERIFY(!SafeArrayCreateVector(VT_DISPATCH, 0, 2));
    SafeArrayDestroy(array);
}

QTEST_MAIN(TestSystemObjects)
#include "tst_systemobjects.moc"
