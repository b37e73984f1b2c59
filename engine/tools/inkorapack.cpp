// Writes engine resources in the engine's stored format:
//   inkorapack model <out> <name> <model file> [boxed] [ideographic] [gestures]
//   inkorapack modelpath <out> <name> <model path> [boxed] [ideographic]
//   inkorapack words <out> <name> <word list, one word a line>
//   inkorapack symbols <out> <name> <label>...
//   inkorapack charset <out> <first-last (hex)>...
#include "engine/charsetobject.h"
#include "engine/objectframe.h"
#include "engine/resourceobject.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

using namespace zk;

namespace {

bool readFile(const std::string &path, std::string &out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return true;
}

bool writeFrame(const std::string &path, uint32_t type, const std::string &payload)
{
    ObjectFrame frame;
    frame.type = type;
    frame.payload = payload;
    std::ofstream out(path, std::ios::binary);
    out << frame.serialize();
    return bool(out);
}

int packResource(int argc, char **argv)
{
    std::string command = argv[1];
    ResourceObject r;
    r.name = argv[3];
    if (command == "model" || command == "modelpath") {
        if ((command == "model" && !readFile(argv[4], r.modelBytes)))
            return 1;
        if (command == "modelpath")
            r.modelPath = argv[4];
        for (int i = 5; i < argc; ++i) {
            std::string f = argv[i];
            r.flags |= f == "boxed" ? ResourceObject::Boxed
                       : f == "ideographic" ? ResourceObject::Ideographic : 0;
            if (f == "gestures")
                r.kind = ResourceObject::Gestures;
        }
    } else if (command == "words") {
        r.kind = ResourceObject::Words;
        std::ifstream in(argv[4]);
        std::string line;
        while (std::getline(in, line))
            if (!line.empty() && line[0] != '#')
                r.words.push_back(line);
    } else if (command == "symbols") {
        r.kind = ResourceObject::Symbols;
        for (int i = 4; i < argc; ++i)
            r.words.push_back(argv[i]);
    } else {
        return 2;
    }
    return writeFrame(argv[2], ZK_TYPE_RESOURCE, r.payload()) ? 0 : 1;
}

int packCharset(int argc, char **argv)
{
    CharsetObject c;
    for (int i = 3; i < argc; ++i) {
        std::string range = argv[i];
        size_t dash = range.find('-');
        uint32_t a = uint32_t(std::strtoul(range.substr(0, dash).c_str(), nullptr, 16));
        uint32_t b = dash == std::string::npos
                         ? a
                         : uint32_t(std::strtoul(range.substr(dash + 1).c_str(), nullptr, 16));
        c.ranges.push_back({a, b});
    }
    return writeFrame(argv[2], ZK_TYPE_CHARSET, c.payload()) ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s model|modelpath|words|symbols|charset <out> ...\n", argv[0]);
        return 2;
    }
    int rc = std::string(argv[1]) == "charset" ? packCharset(argc, argv)
                                               : argc < 5 ? 2 : packResource(argc, argv);
    if (rc)
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return rc;
}
