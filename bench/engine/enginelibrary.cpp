#include "enginelibrary.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <type_traits>
#include <utility>

using namespace zk;

namespace {

int32_t readFile(void *buffer, int32_t size, void *file)
{
    return int32_t(std::fread(buffer, 1, size_t(size), static_cast<FILE *>(file)));
}

} // namespace

EngineLibrary::EngineLibrary(std::string name)
    : m_name(std::move(name))
{
}

bool EngineLibrary::open(const std::string &folder)
{
    void *library = dlopen((folder + "/bin/libInkoraEngine.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return false;
    auto bind = [&](auto &f, const char *symbol) {
        f = reinterpret_cast<std::remove_reference_t<decltype(f)>>(dlsym(library, symbol));
        return f != nullptr;
    };
    m_packed = folder + "/resources/packed/";
    return bind(m_create, "zkCreateEngine") && bind(m_destroy, "zkDestroyEngine")
           && bind(m_getInterface, "zkGetInterface") && bind(m_loadObject, "zkLoadObject")
           && bind(m_createObject, "zkCreateObject") && bind(m_releaseObject, "zkReleaseObject")
           && (m_id = m_create(ZK_ENGINE_VERSION, nullptr, 0)) != 0;
}

void EngineLibrary::destroy()
{
    m_destroy(m_id);
    m_id = 0;
}

zkId EngineLibrary::createObject(uint32_t type) const
{
    return m_createObject(m_id, type);
}

void EngineLibrary::release(zkId object) const
{
    m_releaseObject(m_id, object);
}

zkId EngineLibrary::loadResource(const std::string &path) const
{
    FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return 0;
    zkId r = m_loadObject(m_id, readFile, f);
    std::fclose(f);
    return r;
}

zkId EngineLibrary::recognizer(const std::vector<std::string> &resources, zkId extra) const
{
    zkId r = createObject(ZK_TYPE_RECOGNIZER);
    for (const std::string &path : resources) {
        zkId res = loadResource(m_packed + path);
        op<zkOpAttach>(ZK_IF_RESOURCES, 0)(m_id, r, res);
        release(res);
    }
    if (extra)
        op<zkOpAttach>(ZK_IF_RESOURCES, 0)(m_id, r, extra);
    return r;
}

std::string EngineLibrary::label(zkId iterator) const
{
    zkBuffer b{nullptr, 0};
    op<zkOpLabel>(ZK_IF_CANDIDATES, 2)(m_id, iterator, 0, &b);
    std::string s(b.count + 1, '\0');
    b = {s.data(), uint32_t(s.size())};
    op<zkOpLabel>(ZK_IF_CANDIDATES, 2)(m_id, iterator, 0, &b);
    s.resize(b.count);
    return s;
}

std::vector<std::string> EngineLibrary::firstWordCandidates(zkId reco) const
{
    std::vector<std::string> out;
    zkId r = op<zkOpObject>(ZK_IF_RECOGNIZER_RESULT, 0)(m_id, reco);
    zkId t = r ? op<zkOpObject>(ZK_IF_RESULT, 1)(m_id, r) : 0;
    zkId words = t && !op<zkOpAtEnd>(ZK_IF_ITERATOR, 0)(m_id, t)
                     ? op<zkOpObject>(ZK_IF_CANDIDATES, 4)(m_id, t) : 0;
    zkId c = words && !op<zkOpAtEnd>(ZK_IF_ITERATOR, 0)(m_id, words)
                 ? op<zkOpObject>(ZK_IF_SEGMENTS, 5)(m_id, words) : 0;
    for (; c && !op<zkOpAtEnd>(ZK_IF_ITERATOR, 0)(m_id, c); op<zkOpNext>(ZK_IF_ITERATOR, 1)(m_id, c))
        out.push_back(label(c));
    for (zkId o : {c, words, t, r})
        release(o);
    return out;
}

void EngineLibrary::addInk(zkId input, const InkStrokes &ink) const
{
    for (const InkStroke &s : ink) {
        std::vector<float> x, y;
        for (const InkPoint &p : s) {
            x.push_back(p.x);
            y.push_back(p.y);
        }
        op<zkOpAddStroke>(ZK_IF_INPUT, 13)(m_id, input, x.data(), 4, y.data(), 4, int32_t(x.size()));
    }
}

double EngineLibrary::recognize(zkId reco, zkId input, const InkStrokes &ink, uint32_t unit,
                                std::vector<std::string> &got, const InkBox *guide) const
{
    op<zkOpClear>(ZK_IF_INPUT, 0)(m_id, input, 0);
    op<zkOpStartUnit>(ZK_IF_INPUT, 2)(m_id, input, unit);
    if (unit == ZK_UNIT_BOXED) {
        InkBox b = guide ? *guide : lineBox(ink);
        op<zkOpGuideBox>(ZK_IF_INPUT, 6)(m_id, input, b.left, b.top, b.width(), b.height());
    }
    addInk(input, ink);
    auto start = std::chrono::steady_clock::now();
    op<zkOpRun>(ZK_IF_RUN, 0)(m_id, reco, nullptr, nullptr);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    got = firstWordCandidates(reco);
    return ms;
}

InkBox EngineLibrary::lineBox(const InkStrokes &ink)
{
    InkBox b = boundingBox(ink);
    float h = std::max(b.height(), 21.0f);
    return {b.left, b.bottom - h, b.left + h, b.bottom};
}
