#include "engine/resourceobject.h"

#include "engine/bytereader.h"
#include "engine/bytewriter.h"
#include "engine/zkengine.h"

namespace zk {

ResourceObject::ResourceObject()
    : EngineObject(ZK_TYPE_RESOURCE)
{
}

std::string ResourceObject::payload() const
{
    ByteWriter w;
    w.u8(kind);
    w.u8(flags);
    w.text(name);
    w.text(modelPath);
    w.text(modelBytes);
    w.u32(uint32_t(words.size()));
    for (const std::string &word : words)
        w.text(word);
    if (!templates.empty()) // resources without templates keep their earlier form
        w.text(templates);
    return w.bytes();
}

bool ResourceObject::load(const std::string &payload)
{
    ByteReader r(payload);
    uint8_t k = r.u8();
    if (k < Characters || k > Symbols)
        return false;
    kind = Kind(k);
    flags = r.u8();
    name = r.text();
    modelPath = r.text();
    modelBytes = r.text();
    uint32_t n = r.count(4);
    words.clear();
    for (uint32_t i = 0; i < n && r.ok(); ++i)
        words.push_back(r.text());
    templates = r.ok() && !r.atEnd() ? r.text() : std::string();
    return r.ok() && r.atEnd() && open();
}

bool ResourceObject::open()
{
    m_classifier.reset();
    m_templates.reset();
    if (!templates.empty()) {
        auto t = std::make_unique<TemplateClassifier>();
        if (!t->load(templates))
            return false;
        m_templates = std::move(t);
    }
    if (modelPath.empty() && modelBytes.empty())
        return kind == Words || kind == Symbols || m_templates;
    auto classifier = std::make_unique<CharacterClassifier>();
    auto shaping = (flags & Boxed) ? CharacterClassifier::Boxed : CharacterClassifier::Canonical;
    bool ok = modelBytes.empty() ? classifier->openFile(modelPath, shaping)
                                 : classifier->openBytes(modelBytes, shaping);
    if (ok)
        m_classifier = std::move(classifier);
    return ok;
}

const CharacterClassifier *ResourceObject::classifier() const
{
    return m_classifier.get();
}

const TemplateClassifier *ResourceObject::templateClassifier() const
{
    return m_templates.get();
}

} // namespace zk
