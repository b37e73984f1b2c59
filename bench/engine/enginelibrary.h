#pragma once

#include "engine/inkpoint.h"
#include "engine/zkengine.h"

#include <string>
#include <vector>

// An engine library opened at run time, one engine made by it and the calls the benches make.
class EngineLibrary
{
public:
    explicit EngineLibrary(std::string name);

    // Opens <folder>/bin/libInkoraEngine.so and makes an engine; its resources are read from
    // <folder>/resources/packed.
    bool open(const std::string &folder);
    void destroy();

    const std::string &name() const { return m_name; }

    template <class F>
    F op(uint32_t interface, int index) const
    {
        return reinterpret_cast<F>(m_getInterface(m_id, interface)[index]);
    }
    zkId id() const { return m_id; }
    zkId createObject(uint32_t type) const;
    void release(zkId object) const;
    zkId loadResource(const std::string &path) const;
    // A recognizer of the packed resources (and an object of the caller's).
    zkId recognizer(const std::vector<std::string> &resources, zkId extra = 0) const;
    std::string label(zkId iterator) const;
    // Candidates of the first word (non-separator) of the recognizer's text.
    std::vector<std::string> firstWordCandidates(zkId reco) const;
    void addInk(zkId input, const zk::InkStrokes &ink) const;
    // Writes the ink in a unit of the input and runs the recognizer: its time in ms.
    double recognize(zkId reco, zkId input, const zk::InkStrokes &ink, uint32_t unit,
                     std::vector<std::string> &got, const zk::InkBox *guide = nullptr) const;

    // The box of a writing line around ink: as tall as the ink, or a capital of 21 units.
    static zk::InkBox lineBox(const zk::InkStrokes &ink);

private:
    std::string m_name;
    std::string m_packed;
    decltype(&zkCreateEngine) m_create = nullptr;
    decltype(&zkDestroyEngine) m_destroy = nullptr;
    decltype(&zkGetInterface) m_getInterface = nullptr;
    decltype(&zkLoadObject) m_loadObject = nullptr;
    decltype(&zkCreateObject) m_createObject = nullptr;
    decltype(&zkReleaseObject) m_releaseObject = nullptr;
    zkId m_id = 0;
};
