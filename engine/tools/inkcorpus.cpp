#include "engine/tools/inkcorpus.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zk {

namespace {

std::string readText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return in ? s.str() : std::string();
}

bool endsWith(const std::string &s, const std::string &end)
{
    return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

void flipY(InkStrokes &ink)
{
    for (InkStroke &s : ink)
        for (InkPoint &p : s)
            p.y = -p.y;
}

// A reader of the one JSON shape the digits come in: nested arrays of numbers under string keys.
class JsonCursor
{
public:
    explicit JsonCursor(const std::string &text)
        : m_text(text)
    {
    }

    bool skip(char c)
    {
        while (m_pos < m_text.size() && std::isspace(uint8_t(m_text[m_pos])))
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool string(std::string &out)
    {
        if (!skip('"'))
            return false;
        size_t end = m_text.find('"', m_pos);
        if (end == std::string::npos)
            return false;
        out = m_text.substr(m_pos, end - m_pos);
        m_pos = end + 1;
        return true;
    }
    bool number(float &out)
    {
        skip(' ');
        const char *start = m_text.c_str() + m_pos;
        char *end = nullptr;
        out = std::strtof(start, &end);
        m_pos += size_t(end - start);
        return end != start;
    }
    // A list of items read by item, each after the one before and a comma.
    template <class F>
    bool list(F item)
    {
        if (!skip('['))
            return false;
        if (skip(']'))
            return true;
        do {
            if (!item())
                return false;
        } while (skip(','));
        return skip(']');
    }

private:
    const std::string &m_text;
    size_t m_pos = 0;
};

} // namespace

bool InkCorpus::read(const std::string &path, bool yUp)
{
    const std::string text = readText(path);
    const size_t before = m_samples.size();
    bool ok = !text.empty() && (endsWith(path, ".json") ? readJson(text) : readUnipen(text, yUp));
    return ok && m_samples.size() > before;
}

bool InkCorpus::readUnipen(const std::string &text, bool yUp)
{
    const size_t first = m_samples.size();
    std::istringstream in(text);
    std::string line;
    bool down = false, inSegment = false;
    while (std::getline(in, line)) {
        if (line.rfind(".SEGMENT", 0) == 0) {
            size_t open = line.find('"'), close = line.rfind('"');
            inSegment = open != std::string::npos && close > open + 1;
            if (inSegment)
                m_samples.push_back({line.substr(open + 1, close - open - 1), {}});
            down = false;
        } else if (line.rfind(".PEN_DOWN", 0) == 0 && inSegment) {
            m_samples.back().ink.emplace_back();
            down = true;
        } else if (line.rfind(".PEN_UP", 0) == 0) {
            down = false;
        } else if (down && !line.empty() && line[0] != '.') {
            std::istringstream point(line);
            InkPoint p;
            if (point >> p.x >> p.y)
                m_samples.back().ink.back().push_back(p);
        }
    }
    if (yUp)
        for (size_t i = first; i < m_samples.size(); ++i)
            flipY(m_samples[i].ink);
    return true;
}

bool InkCorpus::readJson(const std::string &text)
{
    JsonCursor json(text);
    std::string key, label;
    if (!json.skip('{') || !json.string(key) || key != "rawData" || !json.skip(':')
        || !json.skip('{'))
        return false;
    do {
        if (!json.string(label) || !json.skip(':'))
            return false;
        bool ok = json.list([&] {
            InkStrokes ink;
            bool sample = json.list([&] {
                ink.emplace_back();
                return json.list([&] {
                    std::vector<float> xy;
                    bool point = json.list([&] {
                        xy.push_back(0);
                        return json.number(xy.back());
                    });
                    if (xy.size() >= 2)
                        ink.back().push_back({xy[0], xy[1]});
                    return point;
                });
            });
            m_samples.push_back({label, std::move(ink)});
            return sample;
        });
        if (!ok)
            return false;
    } while (json.skip(','));
    return true;
}

} // namespace zk
